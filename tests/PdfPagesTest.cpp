// PDF files as containers of pages: the heading and page entries, pixels against poppler's own
// renderer, the page limit, and PDFs that cannot be read.
#include "BuildFolder.h"
#include "MenuChecks.h"
#include "TestFiles.h"
#include "TestPdf.h"
#include "assembly/Build.h"
#include "format/RomLayout.h"
#include "items/EntrySource.h"
#include "menu/AddFile.h"
#include "menu/Estimate.h"
#include "menu/MenuListFile.h"
#include "rom/RomReader.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace lb;
using namespace lbtest;

namespace {

bool Has(const char* tool) {
    return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0;
}
bool Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// A PDF of `pages` pages of 200 x 300 points, each a blue box on white, written out by hand
// with its cross-reference table; `title` goes in its information dictionary.
std::string HandPdf(int pages, const std::string& title) {
    std::string kids;
    for (int k = 0; k < pages; ++k) kids += std::to_string(5 + k) + " 0 R ";
    const std::string content = "0 0 1 rg 20 30 160 240 re f";
    std::vector<std::string> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
        "<< /Title (" + title + ") >>"};
    for (int k = 0; k < pages; ++k)
        objects.push_back(
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 300] /Contents 3 0 R >>");
    return PdfOf(objects, "/Info 4 0 R");
}

// An 8-bit binary PPM's pixels.
std::vector<uint8_t> PpmPixels(const std::string& file, int& width, int& height) {
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int max = 0;
    in >> magic >> width >> height >> max;
    in.get();
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
    in.read(reinterpret_cast<char*>(rgb.data()), std::streamsize(rgb.size()));
    return rgb;
}

} // namespace

// Three pages drawn by cairo (rsvg-convert), read with margins kept: each page's record holds
// what pdftoppm renders at the same size.
TEST(PdfPages, EachPageIsAnEntryRenderedAsPopplerRendersIt) {
    if (!Has("rsvg-convert") || !Has("pdftoppm"))
        GTEST_SKIP() << "rsvg-convert or pdftoppm is missing";
    Folder f(200, 3);
    std::string svgs;
    for (int k = 1; k <= 3; ++k) {
        const std::string svg =
            f.dir.Write("p" + std::to_string(k) + ".svg",
                        "<svg xmlns='http://www.w3.org/2000/svg' width='300' height='450'><rect "
                        "width='300' height='450' "
                        "fill='white'/><rect x='30' y='40' width='240' height='370' fill='rgb(" +
                            std::to_string(60 * k) +
                            ",40,120)'/><circle cx='150' cy='225' r='80' fill='yellow'/></svg>");
        svgs += " '" + svg + "'";
    }
    const std::string pdf = (f.dir.Path() / "Trip.pdf").string();
    ASSERT_TRUE(Shell("rsvg-convert -f pdf -o '" + pdf + "'" + svgs));

    ItemList menu(3);
    menu.pictures.trim = TrimRule::Off;
    ASSERT_TRUE(AddFile(menu, pdf).empty());
    EXPECT_EQ(Names(menu), (std::vector<std::string>{"@Trip", "Page 1", "Page 2", "Page 3"}));
    EXPECT_EQ(menu.entries[2].path, pdf + "/2");
    EXPECT_TRUE(menu.entries[2].page);

    const std::vector<uint8_t> image = BuildMenu(f, menu);
    const RomInfo info = ReadRom(image, 3);
    ASSERT_EQ(info.records.size(), 4u);
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const RecordInfo& r = info.records[size_t(k)];
        EXPECT_EQ(menu.entries[size_t(k)].estimate - NameSlot(menu.entries[size_t(k)].name),
                  int64_t{LB_RECORD_HEADER_BYTES} + r.dataSize);
        // 225 x 337.5 points fitted to the screen: 107 x 160, stored 108 wide.
        ASSERT_EQ(r.sizeField, uint32_t(108) << 16 | 160u);
        const std::string out = (f.dir.Path() / "ref").string();
        ASSERT_TRUE(Shell("pdftoppm -f " + std::to_string(k) + " -l " + std::to_string(k) +
                          " -scale-to-x 107 -scale-to-y 160 -singlefile '" + pdf + "' '" + out +
                          "'"));
        int w = 0, h = 0;
        const std::vector<uint8_t> ref = PpmPixels(out + ".ppm", w, h);
        ASSERT_EQ(w, 107);
        ASSERT_EQ(h, 160);
        double difference = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t at =
                    r.offset + LB_RECORD_HEADER_BYTES + (size_t(y) * 108 + size_t(x)) * 2;
                const int c = image[at] | image[at + 1] << 8;
                // The middle of the 8 values each 5-bit channel stands for.
                const int got[3] = {(c & 31) * 8 + 4, (c >> 5 & 31) * 8 + 4,
                                    (c >> 10 & 31) * 8 + 4};
                for (int ch = 0; ch < 3; ++ch)
                    difference += std::abs(
                        got[ch] - ref[(size_t(y) * size_t(w) + size_t(x)) * 3 + size_t(ch)]);
            }
        EXPECT_LT(difference / (w * h * 3), 5.0);
    }

    // A menu list names the same pages again, and its PDF line the heading.
    size_t skipped = 0;
    const ItemList again = Reopened(menu, f.dir.Path(), &skipped);
    EXPECT_EQ(skipped, 0u);
    EXPECT_EQ(Names(again), Names(menu));
    EXPECT_EQ(again.TotalSize, menu.TotalSize);
}

TEST(PdfPages, TitlesLimitsAndPdfsThatCannotBeRead) {
    TempFolder dir;
    const std::string titled = dir.Write("book.pdf", HandPdf(2, "Die Reise"));
    ItemList menu(3);
    ASSERT_TRUE(AddFile(menu, titled).empty());
    // The title heads the pages; a blue box 160 x 240 of 200 x 300 is what trimming leaves,
    // fitted to 107 x 160 (106.67 rounded), stored 108 wide.
    EXPECT_EQ(Names(menu), (std::vector<std::string>{"@Die Reise", "Page 1", "Page 2"}));
    EXPECT_EQ(menu.entries[1].estimate - NameSlot("Page 1"),
              int64_t{LB_RECORD_HEADER_BYTES} + 108 * 160 * 2);
    ItemList chinese(0);
    ASSERT_TRUE(AddFile(chinese, titled).empty());
    EXPECT_EQ(chinese.entries[1].name, "第 1 頁");

    struct Case {
        const char* what;
        std::string bytes;
        const char* cause;
    } cases[] = {
        {"past the page limit", HandPdf(kMaxPdfPages + 1, "Long"),
         "it has 2001 pages; Lumenbrook reads at most 2000 pages of a PDF"},
        {"not a PDF", "hello, this is no PDF", "not a PDF that can be read"},
        {"cut short", HandPdf(2, "Cut").substr(0, 60), "not a PDF that can be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = dir.Write(std::string(c.what) + ".pdf", c.bytes);
        ItemList other(3);
        const std::vector<SkippedFile> skipped = AddFile(other, file);
        ASSERT_EQ(skipped.size(), 1u);
        EXPECT_EQ(skipped[0].path, file);
        EXPECT_TRUE(skipped[0].broken);
        EXPECT_EQ(skipped[0].reason.rfind(c.cause, 0), 0u) << skipped[0].reason;
        EXPECT_TRUE(other.entries.empty());
    }
    if (Has("qpdf")) {
        const std::string locked = (dir.Path() / "locked.pdf").string();
        ASSERT_TRUE(Shell("qpdf --encrypt secret owner 256 -- '" + titled + "' '" + locked + "'"));
        ItemList other(3);
        const std::vector<SkippedFile> skipped = AddFile(other, locked);
        ASSERT_EQ(skipped.size(), 1u);
        EXPECT_EQ(skipped[0].reason, "the PDF is locked with a password");
    }
}
