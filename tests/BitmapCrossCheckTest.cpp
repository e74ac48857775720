// Our decoder against ImageMagick's, over files ImageMagick writes in many depths and forms.
#include "TestFiles.h"
#include "rom/Bitmap.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

} // namespace

TEST(BitmapCrossCheck, AgreesWithImageMagick) {
    if (!Shell("command -v convert")) GTEST_SKIP() << "ImageMagick is not installed";
    TempFolder dir;
    struct Case { const char* name; const char* args; };
    const Case cases[] = {
        {"8-bit odd width", "-seed 3 -size 37x23 plasma:red-blue -type Palette -colors 200 BMP3:"},
        {"8-bit RLE", "-size 41x17 gradient:red-yellow -type Palette -colors 60 -compress RLE BMP3:"},
        {"4-bit", "-seed 5 -size 29x11 plasma: -colors 16 -type Palette BMP3:"},
        {"1-bit", "-size 19x9 pattern:checkerboard -type Bilevel BMP3:"},
        {"24-bit", "-seed 9 -size 33x21 plasma: -type TrueColor BMP3:"},
        {"32-bit v5 header", "-seed 11 -size 15x7 plasma: -type TrueColorAlpha -alpha opaque BMP:"},
    };
    for (auto& c : cases) {
        std::string bmp = (dir.Path() / "a.bmp").string(), rgb = (dir.Path() / "a.rgb").string();
        ASSERT_TRUE(Shell(std::string("convert ") + c.args + bmp)) << c.name;
        ASSERT_TRUE(Shell("convert " + bmp + " -depth 8 rgb:" + rgb)) << c.name;
        Bitmap b = DecodeBitmap(ReadBytes(bmp));
        auto want = ReadBytes(rgb);
        ASSERT_EQ(want.size(), size_t(b.width) * b.height * 3) << c.name;
        int wrong = 0;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x) {
                uint32_t got = b.ColourAt(x, y);
                const uint8_t* w = &want[(size_t(y) * b.width + x) * 3];
                wrong += (got & 255) != w[0] || (got >> 8 & 255) != w[1] || (got >> 16 & 255) != w[2];
            }
        EXPECT_EQ(wrong, 0) << c.name;
    }
}
