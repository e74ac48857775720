// The emulator wrapper the preview runs on: its frame as PNG at each scale, and load failures.
#include "Cartridge.h"
#include "common/Error.h"
#include "preview/FramePng.h"

#include <gtest/gtest.h>
#include <png.h>

using namespace lbtest;

namespace {

// A PNG read back as 0x00BBGGRR pixels (red in the low byte, as the frame has it).
std::vector<uint32_t> ReadPng(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << path;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint32_t> pixels(PNG_IMAGE_SIZE(image) / 4);
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << path;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    for (auto& p : pixels) p &= 0x00FFFFFF; // the alpha byte
    return pixels;
}

} // namespace

TEST(Preview, FrameAsPngAtEachScale) {
    Cartridge c;
    c.home.Write("Apple.txt", "a");
    Handheld h(c.Build({"Apple.txt"}));
    h.Run(30);
    for (int scale : {1, 3}) {
        const std::string path = (c.home.Path() / ("f" + std::to_string(scale) + ".png")).string();
        lb::WriteFramePng(path, h.Frame(), scale);
        int w = 0, ht = 0;
        auto pixels = ReadPng(path, w, ht);
        ASSERT_EQ(w, 240 * scale);
        ASSERT_EQ(ht, 160 * scale);
        int misses = 0;
        for (int y = 0; y < ht; ++y)
            for (int x = 0; x < w; ++x)
                misses += pixels[static_cast<size_t>(y * w + x)] !=
                          (h.Frame()[static_cast<size_t>(y / scale * 240 + x / scale)] & 0x00FFFFFF);
        EXPECT_EQ(misses, 0) << scale;
        // The title's pattern: 8 x 8 squares of its four colours.
        EXPECT_EQ(h.Pixel(0, 0), kTitleColours[0].Colour());
        EXPECT_EQ(h.Pixel(8, 0), kTitleColours[1].Colour());
    }
    const std::string bad = (c.home.Path() / "f.png").string();
    EXPECT_EQ(ErrorOf([&] { lb::WriteFramePng(bad, h.Frame(), 5); }), bad + ": the scale must be 1 to 4");
    EXPECT_FALSE(std::filesystem::exists(bad));
    const std::string nowhere = (c.home.Path() / "no/such/folder/f.png").string();
    EXPECT_EQ(ErrorOf([&] { lb::WriteFramePng(nowhere, h.Frame(), 1); }).rfind(nowhere + ": cannot create", 0), 0u);
}

TEST(Preview, RomsThatCannotBeLoadedNameTheFileAndCause) {
    TempFolder dir;
    const std::string text = dir.Write("notes.txt", "not a ROM"), missing = (dir.Path() / "gone.gba").string();
    EXPECT_EQ(ErrorOf([&] { Handheld h(missing); }), missing + ": no such file");
    EXPECT_EQ(ErrorOf([&] { Handheld h(text); }), text + ": not a Game Boy Advance ROM the emulator knows");
    EXPECT_EQ(ErrorOf([&] { Handheld h(dir.Path().string()); }), dir.Path().string() + ": no such file");
}
