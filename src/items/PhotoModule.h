#pragma once

// The edge between the core and the photo module (liblumenbrook_photo.so), which alone links
// libvips: a table of functions that report failure as a message instead of throwing.
#include "items/PhotoReader.h"

#include <string>

namespace lb {

inline constexpr int kPhotoModuleVersion = 2;

struct PhotoModule {
    int version; // kPhotoModuleVersion of the module's build
    bool (*shownSizeOfFile)(const std::string& path, PictureSize* out, std::string* error);
    bool (*shownSizeOfBytes)(std::span<const uint8_t> file, PictureSize* out, std::string* error);
    bool (*decode)(std::span<const uint8_t> file, PictureSize size, RgbPicture* out,
                   std::string* error);
    bool (*resize)(const RgbPicture& picture, PictureSize size, RgbPicture* out,
                   std::string* error);
    bool (*pdfDocument)(const std::string& path, PdfDocument* out, std::string* error);
    bool (*pdfPageSize)(const std::string& path, int page, PictureSize* out, std::string* error);
    bool (*pdfPageDecode)(const std::string& path, int page, PictureSize size, RgbPicture* out,
                          std::string* error);
};

} // namespace lb

// The module's one exported function.
extern "C" const lb::PhotoModule* lumenbrook_photo_module();
