#include "rom/Fonts.h"

#include "rom/RomLayout.h"

namespace lb {

namespace {

constexpr FontInfo kFonts[kFontCount] = {
    {"Big5 10x10", "Big5s.bin", LB_SKIN_OFFSET_BIG5_SMALL},
    {"Big5 12x12", "Big5b.bin", LB_SKIN_OFFSET_BIG5_LARGE},
    {"GB2312", "GB2312.bin", LB_SKIN_OFFSET_GB2312},
    {"English", "Eng.bin", LB_SKIN_OFFSET_ENGLISH},
};

} // namespace

const FontInfo& Font(int index) { return kFonts[index >= 0 && index < kFontCount ? index : 0]; }

} // namespace lb
