#pragma once

#include "rom/Bitmap.h"

#include <QImage>

// The top left part of a decoded bitmap, at most `size`, as an image to show in a picture
// box; the colours are the picture's own.
QImage BitmapImage(const lb::Bitmap& bitmap, QSize size);
