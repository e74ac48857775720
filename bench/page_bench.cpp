// Takes the text of 10 MB web pages as a build does, and prints the time of each: long
// chapters of prose (a book saved as a page) in English, UTF-8 Chinese and Big5 Chinese, and
// a page with a tag every few words. Aim: well under a second per page. Then adds a folder of
// 100 typical pages (60 KB each) to a menu, each estimated by its text: aim, within 1 s.
#include "common/CodePage.h"
#include "items/WebPageItem.h"
#include "menu/AddFile.h"

#include <filesystem>
#include <fstream>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string MakePage(size_t size, const std::string& head, const std::string& block) {
    std::string page = "<html><head>" + head + "<title>Bench</title></head><body>\n";
    while (page.size() < size) page += block;
    return page + "</body></html>";
}

// A chapter: a heading and paragraphs of some 1500 bytes with a little inline mark-up.
std::string Chapter(const std::string& words) {
    std::string paragraph = "<p>";
    for (int i = 0; i < 30; ++i) paragraph += words + (i % 10 == 9 ? " <i>so</i> " : " ");
    paragraph += "</p>\n";
    std::string chapter = "<h2>Chapter</h2>\n";
    for (int i = 0; i < 8; ++i) chapter += paragraph;
    return chapter;
}

// Paragraphs, links, a table and a list, with a tag every few words.
std::string DenseBlock(const std::string& words) {
    return "<h2>Chapter</h2>\n<p>" + words + " <b>" + words + "</b> &amp; <a href=\"x.htm\">" +
           words + "</a>&nbsp;" + words + "<br>\n" + words + "</p>\n<table><tr><td>" + words +
           "</td><td>" + words + "</td></tr></table>\n<ul><li>" + words + "<li>" + words +
           "</ul>\n";
}

double Time(const std::string& page, int font, size_t* textBytes) {
    lb::CodePageConverter codes(lb::CodePageForFont(font));
    std::vector<uint8_t> bytes(page.begin(), page.end());
    auto t0 = std::chrono::steady_clock::now();
    lb::ItemData item = lb::EncodeWebPage(bytes, codes);
    *textBytes = item.data.size();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

int main() {
    const size_t size = 10u << 20;
    std::string prose = "The quick brown fox jumps over the lazy dog, while";
    std::string chinese; // 中文 twelve times, in UTF-8 and in Big5
    std::string big5;
    for (int i = 0; i < 12; ++i) {
        chinese += "\xE4\xB8\xAD\xE6\x96\x87";
        big5 += "\xA4\xA4\xA4\xE5";
    }
    struct Run {
        const char* what;
        std::string page;
        int font;
    } runs[] = {
        {"English prose", MakePage(size, "", Chapter(prose)), 3},
        {"Chinese UTF-8", MakePage(size, "<meta charset=utf-8>", Chapter(chinese)), 0},
        {"Chinese Big5", MakePage(size, "<meta charset=big5>", Chapter(big5)), 0},
        {"dense mark-up", MakePage(size, "", DenseBlock(prose)), 3},
    };
    for (auto& run : runs) {
        size_t text = 0;
        double seconds = Time(run.page, run.font, &text);
        std::printf("page %-15s %.1f MB -> %.1f MB of text: %.3f s (aim: well under 1 s)\n",
                    run.what, run.page.size() / 1e6, text / 1e6, seconds);
    }

    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "lumenbrook-page-bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string typical = MakePage(60000, "", DenseBlock(prose));
    for (int k = 0; k < 100; ++k)
        std::ofstream(folder / ("page" + std::to_string(k) + ".html"), std::ios::binary) << typical;
    lb::ItemList menu(3);
    const auto t0 = std::chrono::steady_clock::now();
    lb::AddFile(menu, folder.string());
    const double adding = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("add a folder of 100 pages of 60 KB: %.3f s, %zu entries (aim: within 1 s)\n", adding,
                menu.entries.size());
    fs::remove_all(folder);
    return 0;
}
