#pragma once

#include "items/PictureOptions.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lb {

// A picture as 8-bit sRGB, three bytes a pixel (red, green, blue), rows top first.
struct RgbPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;
};

// The picture formats besides BMP, read with libvips: JPEG, PNG, GIF (its first frame), WebP
// and TIFF. Nothing else of the program touches libvips.

// Whether the file's first bytes are one of those formats.
bool IsPhotoContent(std::span<const uint8_t> head);

// The size as shown, after the EXIF orientation, from the header alone. Throws lb::Error
// naming the cause.
PictureSize PhotoShownSize(const std::string& path);
PictureSize PhotoShownSize(std::span<const uint8_t> file);

// Decoded, turned as its EXIF orientation says, in sRGB (a picture without a colour profile
// is taken as sRGB), flattened onto black, and resampled to `size`. Throws lb::Error.
RgbPicture DecodePhoto(std::span<const uint8_t> file, PictureSize size);

// The same resampling for a picture already decoded.
RgbPicture ResizeRgb(const RgbPicture& picture, PictureSize size);

// A PDF file's pages, drawn by poppler as pictures.
struct PdfDocument {
    int pages = 0;
    std::string title; // its information dictionary's, or empty
};
// A PDF larger than this is refused: it is read whole, once, while its pages are rendered.
inline constexpr uint64_t kMaxPdfBytes = uint64_t{512} << 20;
// Throws lb::Error naming the cause: too large, not a PDF, damaged, or locked with a password.
PdfDocument ReadPdfDocument(const std::string& path);
// A page (from 0) is shown at its size in points, a pixel a point.
PictureSize PdfPageShownSize(const std::string& path, int page);
// The page drawn straight at `size`, on white.
RgbPicture DecodePdfPage(const std::string& path, int page, PictureSize size);
// The page's text in reading order, UTF-8, lines ended by "\n".
std::string PdfPageText(const std::string& path, int page);
// The first level of the PDF's outline (its bookmarks): each title and the page it opens.
struct PdfOutlineEntry {
    std::string title;
    int page = 0; // from 0
};
std::vector<PdfOutlineEntry> PdfOutline(const std::string& path);

} // namespace lb
