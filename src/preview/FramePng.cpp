#include "preview/FramePng.h"

#include "common/Error.h"
#include "common/Files.h"
#include "preview/Handheld.h"

#include <png.h>

namespace lb {

void WriteFramePng(const std::string& path, const std::vector<uint32_t>& frame, int scale) {
    if (scale < 1 || scale > 4) throw Error(path + ": the scale must be 1 to 4");
    if (frame.size() != size_t{Handheld::kWidth} * Handheld::kHeight) throw Error(path + ": the frame has the wrong size");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw Error(path + ": out of memory for the PNG encoder");
    }
    std::string bytes;
    const int width = Handheld::kWidth * scale, height = Handheld::kHeight * scale;
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw Error(path + ": the PNG encoder failed");
    }
    png_set_write_fn(
        png, &bytes,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<const char*>(data), n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const uint32_t* source = frame.data() + static_cast<size_t>(y / scale) * Handheld::kWidth;
        for (int x = 0; x < width; ++x) {
            uint32_t c = source[x / scale];
            row[3 * static_cast<size_t>(x)] = static_cast<png_byte>(c);
            row[3 * static_cast<size_t>(x) + 1] = static_cast<png_byte>(c >> 8);
            row[3 * static_cast<size_t>(x) + 2] = static_cast<png_byte>(c >> 16);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    ReplaceFileContents(path, bytes);
}

} // namespace lb
