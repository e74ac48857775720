#include "items/PictureColours.h"

#include "common/Error.h"

#include <libimagequant.h>
#include <memory>

namespace lb {

namespace {

template <typename T, void (*Destroy)(T*)> struct Liq {
    struct Free {
        void operator()(T* p) const { Destroy(p); }
    };
    using Ptr = std::unique_ptr<T, Free>;
};

} // namespace

Bitmap PictureWithColours(const RgbPicture& picture, int colours) {
    Bitmap out;
    out.width = picture.width;
    out.height = picture.height;
    const size_t pixels = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    const uint8_t* rgb = picture.rgb.data();
    if (colours != 256 && colours != 16) {
        out.bitCount = 24;
        out.colours.resize(pixels);
        for (size_t i = 0; i < pixels; ++i)
            out.colours[i] = rgb[3 * i] | rgb[3 * i + 1] << 8 | static_cast<uint32_t>(rgb[3 * i + 2]) << 16;
        return out;
    }
    // The record's rows are as wide as a multiple of 8 (16 colours) or 4 (256): the columns
    // added are black, in the picture, so that the palette has a black for them.
    const int32_t align = colours == 16 ? 8 : 4;
    out.width = (picture.width + align - 1) / align * align;
    const size_t w = static_cast<size_t>(picture.width), W = static_cast<size_t>(out.width);
    const size_t stored = W * static_cast<size_t>(picture.height);
    std::vector<uint8_t> rgba(stored * 4, 0);
    for (size_t y = 0; y < static_cast<size_t>(picture.height); ++y)
        for (size_t x = 0; x < W; ++x) {
            uint8_t* p = &rgba[4 * (y * W + x)];
            if (x < w)
                for (int c = 0; c < 3; ++c) p[c] = rgb[3 * (y * w + x) + c];
            p[3] = 255;
        }
    Liq<liq_attr, liq_attr_destroy>::Ptr attr(liq_attr_create());
    liq_set_max_colors(attr.get(), colours);
    Liq<liq_image, liq_image_destroy>::Ptr image(
        liq_image_create_rgba(attr.get(), rgba.data(), out.width, picture.height, 0));
    liq_result* made = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &made) != LIQ_OK)
        throw Error("the picture's colours could not be reduced to " + std::to_string(colours));
    Liq<liq_result, liq_result_destroy>::Ptr result(made);
    liq_set_dithering_level(result.get(), 1.0f);
    out.bitCount = colours == 16 ? 4 : 8;
    out.indices.resize(stored);
    if (liq_write_remapped_image(result.get(), image.get(), out.indices.data(), out.indices.size()) != LIQ_OK)
        throw Error("the picture's colours could not be mapped");
    const liq_palette* palette = liq_get_palette(result.get());
    out.palette.assign(static_cast<size_t>(colours), 0);
    for (unsigned k = 0; k < palette->count && k < out.palette.size(); ++k) {
        const liq_color& c = palette->entries[k];
        out.palette[k] = c.r | c.g << 8 | static_cast<uint32_t>(c.b) << 16;
    }
    return out;
}

} // namespace lb
