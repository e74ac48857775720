#pragma once

#include "items/ItemData.h"
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

// A picture file as a record by the fitting rules: a ".bmp" kept as it is gives exactly
// EncodePicture's record; any other picture is fitted and made in the chosen colours.
ItemData EncodePictureFile(std::span<const uint8_t> file, bool photo, const PictureOptions& options,
                           PictureNote* note = nullptr);

// The record EncodePictureFile makes for a fitted picture of `size`, header included.
int64_t FittedRecordBytes(PictureSize size, int colours);

} // namespace lb
