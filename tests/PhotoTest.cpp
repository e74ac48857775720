// Pictures as people have them: the fitting rules, every format with its records' kinds and
// sizes, pixels against ImageMagick's own resize, estimates against records, broken files.
#include "BuildFolder.h"
#include "TestFiles.h"
#include "common/Error.h"
#include "format/RomLayout.h"
#include "items/ItemKind.h"
#include "items/PhotoReader.h"
#include "items/PictureItem.h"
#include "menu/AddFile.h"
#include "rom/Colour.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <lcms2.h>

using namespace lb;
using namespace lbtest;

namespace {

bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// The 8-bit channels of a 15-bit colour as the handheld shows them.
void Expand(uint16_t c, int rgb[3]) {
    for (int k = 0; k < 3; ++k) {
        int v = (c >> (5 * k)) & 31;
        rgb[k] = v << 3 | v >> 2;
    }
}

// The JPEG with an EXIF block in front that holds only its orientation (1..8).
std::vector<uint8_t> WithOrientation(std::vector<uint8_t> jpeg, uint8_t orientation) {
    const uint8_t exif[] = {0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0,            // APP1, 34 bytes
                            'I', 'I', 0x2A, 0x00, 0x08, 0x00, 0x00, 0x00,               // TIFF header
                            0x01, 0x00,                                                 // one entry:
                            0x12, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, orientation, 0, 0, 0, // 0x0112
                            0x00, 0x00, 0x00, 0x00};                                    // no next IFD
    jpeg.insert(jpeg.begin() + 2, std::begin(exif), std::end(exif));
    return jpeg;
}

} // namespace

TEST(Fitting, SizesByTheRules) {
    struct Case {
        PictureSize shown;
        FitRule rule;
        PictureSize want;
    };
    const Case cases[] = {
        // s = min(240/4000, 160/3000) = 0.05333: 213.33 and 160.
        {{4000, 3000}, FitRule::Screen, {213, 160}},
        {{3000, 4000}, FitRule::Screen, {120, 160}},
        {{480, 320}, FitRule::Screen, {240, 160}},
        {{241, 100}, FitRule::Screen, {240, 100}}, // 99.59 rounds up
        {{10000, 1}, FitRule::Screen, {240, 1}},    // never below 1
        {{100, 50}, FitRule::Screen, {100, 50}},    // fits: never up
        {{240, 160}, FitRule::Screen, {240, 160}},
        {{1200, 9000}, FitRule::Width, {240, 1800}},
        {{200, 9000}, FitRule::Width, {200, 9000}},
        {{480, 100000}, FitRule::Width, {157, 32767}}, // 240 x 50000 is too tall: 480 x 0.32767
        {{4000, 3000}, FitRule::Keep, {4000, 3000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FittedSize(c.shown, c.rule), c.want)
            << c.shown.width << "x" << c.shown.height << " " << FitRuleName(c.rule);
}

// Every format, each EXIF orientation of a JPEG, alpha, and the three colour counts: the
// record's kind and size, its pixels against ImageMagick's resize of the same file, and the
// estimate AddFile gives for it.
TEST(Photo, FormatsFittedAndComparedWithImageMagick) {
    if (!Shell("command -v convert")) GTEST_SKIP() << "ImageMagick is not installed";
    TempFolder dir;
    const std::string source = (dir.Path() / "source.png").string();
    // 400 x 300 with detail in both directions, so that a turned picture is told apart.
    ASSERT_TRUE(Shell("convert -seed 7 -size 400x300 plasma:red-blue -fill yellow -draw 'rectangle 0,0 99,49' " +
                      source));
    struct Case {
        const char* name;
        std::string make; // ImageMagick's arguments between the source and the file
        int colours;
        uint8_t type;
        PictureSize stored; // before the width is rounded up
    };
    std::vector<Case> cases = {
        {"a.png", "", 32768, LB_DIRECT_COLOUR, {213, 160}},
        {"a.gif", "-colors 200", 32768, LB_DIRECT_COLOUR, {213, 160}},
        {"a.webp", "-quality 100 -define webp:lossless=true", 32768, LB_DIRECT_COLOUR, {213, 160}},
        {"a.tif", "", 32768, LB_DIRECT_COLOUR, {213, 160}},
        {"b.png", "", 256, LB_INDEXED256, {213, 160}},
        {"c.png", "", 16, LB_INDEXED16, {213, 160}},
        {"alpha.png", "-alpha set -channel A -fx 'i<200?1:0' +channel", 32768, LB_DIRECT_COLOUR, {213, 160}},
    };
    // EXIF orientations 1 to 8; 5 to 8 turn the picture a quarter, so it shows 300 x 400.
    for (int k = 1; k <= 8; ++k)
        cases.push_back({"", "-quality 95", 32768, LB_DIRECT_COLOUR,
                         k <= 4 ? PictureSize{213, 160} : PictureSize{120, 160}});
    for (size_t n = 0; n < cases.size(); ++n) {
        Case& c = cases[n];
        const std::string file = (dir.Path() / (*c.name ? c.name : "o" + std::to_string(n) + ".jpg")).string();
        SCOPED_TRACE(file + " " + c.make);
        ASSERT_TRUE(Shell("convert " + source + " " + c.make + " " + file));
        if (!*c.name) dir.Write(file.substr(dir.Path().string().size() + 1),
                                WithOrientation(ReadBytes(file), uint8_t(n - 6)));
        const PictureOptions options{FitRule::Auto, c.colours};
        PictureNote note;
        ItemData item = EncodePictureFile(ReadBytes(file), true, options, {}, &note);
        EXPECT_EQ(item.type, c.type);
        EXPECT_EQ(note.stored, c.stored);
        const int align = c.colours == 16 ? 8 : c.colours == 256 ? 4 : 2;
        const int W = (c.stored.width + align - 1) / align * align, H = c.stored.height;
        EXPECT_EQ(item.width, W);
        EXPECT_EQ(item.height, H);
        EXPECT_EQ(FileEstimate(file, options), std::optional<int64_t>(12 + int64_t(item.data.size())));

        // ImageMagick's picture as it would be shown: turned, on black, resized.
        const std::string ref = (dir.Path() / "ref.rgb").string();
        ASSERT_TRUE(Shell("convert " + file + " -auto-orient +repage -background black -flatten -resize " +
                          std::to_string(c.stored.width) + "x" + std::to_string(H) + "! -depth 8 rgb:" + ref));
        const std::vector<uint8_t> want = ReadBytes(ref);
        ASSERT_EQ(want.size(), size_t(c.stored.width) * H * 3);
        double difference = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < c.stored.width; ++x) {
                int got[3];
                if (c.type == LB_DIRECT_COLOUR) {
                    const uint8_t* p = &item.data[(size_t(y) * W + x) * 2];
                    Expand(uint16_t(p[0] | p[1] << 8), got);
                } else {
                    const size_t rows = c.type == LB_INDEXED16 ? size_t(W) / 2 * H : size_t(W) * H;
                    const int index = c.type == LB_INDEXED16
                                          ? (item.data[size_t(y) * W / 2 + x / 2] >> (x % 2 ? 0 : 4)) & 15
                                          : item.data[size_t(y) * W + x];
                    const uint8_t* e = &item.data[rows + 2 * size_t(index)];
                    Expand(uint16_t(e[0] | e[1] << 8), got);
                }
                for (int k = 0; k < 3; ++k)
                    difference += std::abs(got[k] - want[(size_t(y) * c.stored.width + x) * 3 + k]);
            }
        const double mean = difference / (3.0 * c.stored.width * H);
        // 15-bit colour alone is up to 7 off; dithered 16 colours further.
        EXPECT_LT(mean, c.colours == 16 ? 24 : c.colours == 256 ? 10 : 6);
    }
}

TEST(Photo, BrokenFilesGiveTheirCause) {
    if (!Shell("command -v convert")) GTEST_SKIP() << "ImageMagick is not installed";
    TempFolder dir;
    for (const char* ending : {"jpg", "png", "gif", "webp", "tif"}) {
        const std::string file = (dir.Path() / (std::string("a.") + ending)).string();
        // The seed before the picture: after it, the picture and what the damage hits differ
        // from run to run, and now and then a damaged picture still decoded.
        ASSERT_TRUE(Shell("convert -seed 3 -size 300x200 plasma: " + file));
        std::vector<uint8_t> whole = ReadBytes(file);
        std::vector<uint8_t> truncated(whole.begin(), whole.begin() + long(whole.size() / 2));
        std::vector<uint8_t> corrupt = whole;
        for (size_t i = 16; i < corrupt.size(); i += 7) corrupt[i] ^= 0x5A;
        std::vector<uint8_t> notAPicture = {'h', 'e', 'l', 'l', 'o'};
        for (const auto* bytes : {&truncated, &corrupt, &notAPicture}) {
            const std::string cause = ErrorOf([&] { EncodePictureFile(*bytes, true, {}); });
            EXPECT_FALSE(cause.empty()) << ending << ", " << bytes->size() << " bytes";
        }
        EXPECT_NE(ErrorOf([&] { EncodePictureFile(notAPicture, true, {}); }).find("none of JPEG, PNG"),
                  std::string::npos);
    }
}

// A JPEG and a PNG carrying an Adobe RGB (1998) profile are shown as ImageMagick converts them
// to sRGB; read as if they were sRGB already, their saturated colours are far off.
TEST(Photo, AnEmbeddedColourProfileIsAppliedBeforeFitting) {
    if (!Shell("command -v convert")) GTEST_SKIP() << "ImageMagick is not installed";
    TempFolder dir;
    const std::string adobe = (dir.Path() / "adobe.icc").string(), srgb = (dir.Path() / "srgb.icc").string();
    {
        // Adobe RGB (1998): D65 white, its primaries, a gamma of 563/256.
        const cmsCIExyY white = {0.3127, 0.3290, 1.0};
        const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
        cmsToneCurve* gamma = cmsBuildGamma(nullptr, 563.0 / 256.0);
        cmsToneCurve* curves[3] = {gamma, gamma, gamma};
        cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
        ASSERT_TRUE(cmsSaveProfileToFile(profile, adobe.c_str()));
        cmsCloseProfile(profile);
        cmsFreeToneCurve(gamma);
        cmsHPROFILE standard = cmsCreate_sRGBProfile();
        ASSERT_TRUE(cmsSaveProfileToFile(standard, srgb.c_str()));
        cmsCloseProfile(standard);
    }
    const std::string source = (dir.Path() / "source.png").string();
    // Six patches of saturated colour, where the two spaces differ most.
    ASSERT_TRUE(Shell("convert -size 80x80 xc:'rgb(200,40,40)' xc:'rgb(40,200,40)' xc:'rgb(40,40,200)' +append "
                      "\\( -size 80x80 xc:'rgb(200,200,40)' xc:'rgb(40,200,200)' xc:'rgb(200,40,200)' +append \\) "
                      "-append " + source));
    for (const char* name : {"adobe.jpg", "adobe.png"}) {
        SCOPED_TRACE(name);
        const std::string file = (dir.Path() / name).string();
        // The first -profile of a picture without one only attaches it.
        ASSERT_TRUE(Shell("convert " + source + " -quality 98 -profile " + adobe + " " + file));
        const std::string ref = (dir.Path() / "ref.rgb").string(), raw = (dir.Path() / "raw.rgb").string();
        ASSERT_TRUE(Shell("convert " + file + " -profile " + srgb + " -depth 8 rgb:" + ref));
        ASSERT_TRUE(Shell("convert " + file + " +profile '*' -depth 8 rgb:" + raw));
        const std::vector<uint8_t> want = ReadBytes(ref), unmanaged = ReadBytes(raw);
        ASSERT_EQ(want.size(), 240u * 160 * 3);
        const RgbPicture got = DecodePhoto(ReadBytes(file), {240, 160});
        ASSERT_EQ(got.rgb.size(), want.size());
        double difference = 0, ignored = 0;
        for (size_t i = 0; i < want.size(); ++i) {
            difference += std::abs(int(got.rgb[i]) - int(want[i]));
            ignored += std::abs(int(unmanaged[i]) - int(want[i]));
        }
        EXPECT_LT(difference / double(want.size()), 6);
        EXPECT_GT(ignored / double(want.size()), 12); // what reading it as sRGB would be off by
    }
}

// Every kind of picture kept larger than the screen gets the log's note, not bitmaps alone.
TEST(Photo, APhotoKeptLargerThanTheScreenIsNoted) {
    if (!Shell("command -v convert")) GTEST_SKIP() << "ImageMagick is not installed";
    Folder f(300);
    const std::string wide = (f.dir.Path() / "wide.png").string();
    ASSERT_TRUE(Shell("convert -size 320x200 xc:gray " + wide));
    f.request.entries = {{wide, "wide"}};
    f.request.pictures.fit = FitRule::Keep;
    Recorder progress;
    Conver(f.request, progress);
    const std::string note =
        "entry 1 (" + wide + "): 320 x 200, larger than the screen, kept as it is (--fit screen would fit it)\r\n";
    EXPECT_EQ(std::count_if(progress.shown.begin(), progress.shown.end(),
                            [&](const std::string& s) { return s.size() >= note.size() && s.substr(s.size() - note.size()) == note; }),
              1);
}

// A phone's HEIC picture (made by libheif's own encoder, asking for no loss), AVIF and JPEG XL
// (made by libvips: Debian's heif-enc stops on an assertion of libaom for AVIF) are read as
// the PNG is.
TEST(Photo, HeifAvifAndJpegXlReadAsTheirPng) {
    if (!Shell("command -v convert") || !Shell("command -v vips") || !Shell("command -v heif-enc"))
        GTEST_SKIP() << "ImageMagick, vips or heif-enc missing";
    TempFolder dir;
    const std::string png = (dir.Path() / "page.png").string();
    ASSERT_TRUE(Shell("convert -seed 3 -size 120x90 plasma:red-blue " + png));
    const RgbPicture want = DecodePhoto(ReadBytes(png), {120, 90});
    for (const char* ending : {"heic", "avif", "jxl"}) {
        SCOPED_TRACE(ending);
        const std::string file = (dir.Path() / (std::string("page.") + ending)).string();
        ASSERT_TRUE(Shell(std::string(ending) != "heic" ? "vips copy " + png + " '" + file + "[lossless]'"
                                                        : "heif-enc -L -o '" + file + "' " + png));
        EXPECT_EQ(PhotoShownSize(file), (PictureSize{120, 90}));
        const std::vector<uint8_t> bytes = ReadBytes(file);
        ASSERT_TRUE(IsPhotoContent(bytes));
        const RgbPicture got = DecodePhoto(bytes, {120, 90});
        ASSERT_EQ(got.rgb.size(), want.rgb.size());
        double difference = 0;
        for (size_t i = 0; i < want.rgb.size(); ++i) difference += std::abs(int(got.rgb[i]) - int(want.rgb[i]));
        // HEIF and AVIF keep colour as YUV even when asked for no loss: a few levels off.
        EXPECT_LT(difference / double(want.rgb.size()), 6.0);
        EXPECT_EQ(KindForMenu(file), ItemKind::Photo);
    }
}
