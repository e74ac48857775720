#pragma once

#include "items/EntrySource.h"
#include "items/ItemData.h"
#include "items/PageShape.h"
#include "items/PictureOptions.h"
#include "rom/Bitmap.h"

#include <span>

namespace lb {

// A bitmap file as a picture record: 16 colours for 4 bits per pixel, 256 for 8, 15-bit
// direct colour otherwise. Throws lb::Error with the cause.
ItemData EncodePicture(std::span<const uint8_t> file);

// A decoded picture as a record of the same three kinds.
ItemData EncodeBitmap(const Bitmap& picture);

// What the build did with one picture.
struct PictureNote {
    PictureSize shown;  // as the file shows it, after its EXIF orientation
    PictureSize stored; // as the record holds it, before rounding the width up
    bool fitted = false; // resampled, or made anew in the chosen colours
};

// Which rule `options` gives a picture: `photo` is a JPEG, PNG or another new format.
FitRule RuleFor(const PictureOptions& options, bool photo);

// How an entry's picture is cut from its file before it is fitted.
struct PageCut {
    bool trim = false; // its margins trimmed
    PagePart part = PagePart::Whole;
    bool rightToLeft = false; // which half is read first
};

// Whether `options` trim an entry's margins: `page` is one of a folder's, archive's or PDF's.
bool TrimsMargins(const PictureOptions& options, bool page);

// A picture file as a record by the fitting rules: a ".bmp" kept whole as it is gives exactly
// EncodePicture's record; any other picture is cut, fitted and made in the chosen colours.
ItemData EncodePictureFile(std::span<const uint8_t> file, bool photo, const PictureOptions& options,
                           const PageCut& cut = {}, PictureNote* note = nullptr);

// The size of the record EncodePictureFile makes, without making it: only a page whose
// margins are trimmed is decoded, small, to find them. Nothing for a ".bmp" kept whole as it
// is, whose estimate its header gives. Throws lb::Error.
std::optional<int64_t> PictureFileRecordBytes(std::span<const uint8_t> file, bool photo,
                                              const PictureOptions& options, const PageCut& cut);

// A page of a PDF, rendered as a photo is decoded, and its record's size.
ItemData EncodePdfPage(const PdfPage& page, const PictureOptions& options, const PageCut& cut,
                       PictureNote* note = nullptr);
int64_t PdfPageRecordBytes(const PdfPage& page, const PictureOptions& options, const PageCut& cut);

// The record EncodePictureFile makes for a fitted picture of `size`, header included.
int64_t FittedRecordBytes(PictureSize size, int colours);

} // namespace lb
