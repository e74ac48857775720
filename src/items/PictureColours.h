#pragma once

#include "items/PhotoReader.h"
#include "rom/Bitmap.h"

namespace lb {

// A picture as the handheld's records take it: 32768 colours give a direct-colour bitmap;
// 256 or 16 give an indexed one whose palette and indices libimagequant makes, dithered, in
// the picture's own colours.
Bitmap PictureWithColours(const RgbPicture& picture, int colours);

} // namespace lb
