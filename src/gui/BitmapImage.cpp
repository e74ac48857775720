#include "gui/BitmapImage.h"

#include <algorithm>

QImage BitmapImage(const lb::Bitmap& bitmap, QSize size) {
    const int width = std::min(bitmap.width, size.width());
    const int height = std::min(bitmap.height, size.height());
    QImage image(width, height, QImage::Format_RGB32);
    for (int32_t y = 0; y < height; ++y) {
        auto line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < width; ++x) {
            uint32_t c = bitmap.ColourAt(x, y); // red in the low byte
            line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    return image;
}
