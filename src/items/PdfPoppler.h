#pragma once

// The photo module's PDF pages, drawn by poppler (through cairo) straight at the size asked
// for. One document is opened once for all its pages: libvips's loader would take a copy of
// the whole file for each page.
#include "items/PhotoReader.h"

#include <span>
#include <string>
#include <vector>

namespace lb {

struct PdfHandle;

// Throws lb::Error: "the PDF is locked with a password", or "not a PDF that can be read: ...".
PdfHandle* OpenPdf(std::span<const uint8_t> pdf, PdfDocument* document);
void ClosePdf(PdfHandle* pdf);
// At a pixel a point, turned as the page says; throws lb::Error for a page it does not have.
PictureSize PdfPageSize(PdfHandle* pdf, int page);
// The page drawn on white, scaled to fill `size`.
RgbPicture RenderPdfPage(PdfHandle* pdf, int page, PictureSize size);
std::string PdfPageTextOf(PdfHandle* pdf, int page);
std::vector<PdfOutlineEntry> PdfOutlineOf(PdfHandle* pdf);

} // namespace lb
