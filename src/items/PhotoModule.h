#pragma once

// The edge between the core and the photo module (liblumenbrook_photo.so), which alone links
// libvips: a table of functions that report failure as a message instead of throwing.
#include "items/PhotoReader.h"

#include <string>
#include <vector>

namespace lb {

inline constexpr int kPhotoModuleVersion = 3;

struct PdfHandle; // an open PDF, the module's own

struct PhotoModule {
    int version; // kPhotoModuleVersion of the module's build
    bool (*shownSizeOfFile)(const std::string& path, PictureSize* out, std::string* error);
    bool (*shownSizeOfBytes)(std::span<const uint8_t> file, PictureSize* out, std::string* error);
    bool (*decode)(std::span<const uint8_t> file, PictureSize size, RgbPicture* out,
                   std::string* error);
    bool (*resize)(const RgbPicture& picture, PictureSize size, RgbPicture* out,
                   std::string* error);
    // A PDF opened from its bytes, which must outlive it, and its pages.
    bool (*pdfOpen)(std::span<const uint8_t> pdf, PdfHandle** out, PdfDocument* document,
                    std::string* error);
    void (*pdfClose)(PdfHandle* pdf);
    bool (*pdfPageSize)(PdfHandle* pdf, int page, PictureSize* out, std::string* error);
    bool (*pdfPageDecode)(PdfHandle* pdf, int page, PictureSize size, RgbPicture* out,
                          std::string* error);
    bool (*pdfPageText)(PdfHandle* pdf, int page, std::string* out, std::string* error);
    bool (*pdfOutline)(PdfHandle* pdf, std::vector<PdfOutlineEntry>* out, std::string* error);
};

} // namespace lb

// The module's one exported function.
extern "C" const lb::PhotoModule* lumenbrook_photo_module();
