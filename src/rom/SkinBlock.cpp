#include "rom/SkinBlock.h"

#include "format/RomLayout.h"
#include "rom/Bitmap.h"
#include "rom/ColourTable.h"

namespace lb {

bool SkinBlock::ScreenSized() const {
    return width == static_cast<int32_t>(LB_SCREEN_WIDTH) &&
           height == static_cast<int32_t>(LB_SCREEN_HEIGHT) && bitCount == 8;
}

SkinBlock MakeSkinBlock(std::span<const uint8_t> file) {
    Bitmap picture = DecodeBitmap(file);
    SkinBlock block;
    block.width = picture.width;
    block.height = picture.height;
    block.bitCount = picture.bitCount;
    block.bytes = picture.PixelBytes();
    size_t pixels = block.bytes.size();
    block.bytes.resize(pixels + LB_PALETTE_BYTES);
    AppendPalette(picture.palette, LB_PALETTE_ENTRIES, block.bytes.data() + pixels);
    return block;
}

} // namespace lb
