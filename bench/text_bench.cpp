// Reads a 10 MB UTF-8 Chinese text into the Big5 font as a build does, with the real base
// image's glyphs, and prints MB/s: Traditional text (no script conversion needed) and
// Simplified text (converted with OpenCC), the best of three runs each; then a 20 MB English
// text hard-wrapped at 70 columns into the English font, its lines joined into paragraphs.
// Aim: at least 50 MB/s without OpenCC.
//   text_bench PROGRAM-FOLDER
#include "common/CodePage.h"
#include "common/Files.h"
#include "format/RomLayout.h"
#include "items/FontText.h"
#include "items/TextItem.h"
#include "rom/Fonts.h"
#include "rom/GlyphCoverage.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Repeat(const std::string& paragraph, size_t size) {
    std::string text;
    while (text.size() < size) text += paragraph;
    return {text.begin(), text.end()};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: text_bench PROGRAM-FOLDER\n");
        return 2;
    }
    lb::CodePageConverter codes(lb::CodePageForFont(0));
    codes.ShowOnly(lb::GlyphCoverage(
        lb::ReadWholeFile(std::string(argv[1]) + "/Bin/" + lb::Font(0).base_image)));
    const size_t size = 10u << 20;
    struct Run {
        const char* what;
        std::vector<uint8_t> text;
    } runs[] = {
        {"Traditional, no conversion",
         Repeat("春天來了，山上的花都開了。我們走小路到河邊，看見孩子們在水裡玩耍。\r\n", size)},
        {"Simplified, OpenCC s2tw", Repeat("春天来了，山上的花都开了。我们走小路到河边，看见孩子们在水里玩耍。\r\n", size)},
    };
    for (auto& run : runs) {
        // The best of three, so that a busy machine's pauses do not count.
        double seconds = 1e9;
        lb::TextReading reading;
        lb::ItemData item;
        for (int round = 0; round < 3; ++round) {
            lb::FontText font(codes, true);
            auto t0 = std::chrono::steady_clock::now();
            item = lb::EncodeTextFile(run.text, LB_PLAIN_TEXT, font, {}, &reading);
            seconds = std::min(seconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        }
        std::printf("text %-28s %.1f MB -> %.1f MB of Big5 (%s%s, %d as \"?\"): %.3f s, %.0f MB/s%s\n",
                    run.what, run.text.size() / 1e6, item.data.size() / 1e6, reading.source.readAs.c_str(),
                    reading.script ? (std::string(", ") + reading.script).c_str() : "", reading.replaced,
                    seconds, run.text.size() / 1e6 / seconds, reading.script ? "" : " (aim: at least 50 MB/s)");
    }

    // Paragraphs of prose wrapped at 70 columns, a blank line between.
    std::string paragraph, line;
    for (int k = 0; k < 40; ++k)
        for (const char* word : {"The", "river", "ran", "cold", "that", "morning,", "and", "the", "children", "waded"}) {
            if (line.size() + 1 + std::strlen(word) > 70) paragraph += line + "\r\n", line.clear();
            line += (line.empty() ? "" : " ") + std::string(word);
        }
    paragraph += line + "\r\n\r\n";
    const std::vector<uint8_t> wrapped = Repeat(paragraph, 20u << 20);
    lb::CodePageConverter english(lb::CodePageForFont(3));
    double seconds = 1e9;
    lb::ItemData item;
    for (int round = 0; round < 3; ++round) {
        lb::FontText font(english, true);
        auto t0 = std::chrono::steady_clock::now();
        item = lb::EncodeTextFile(wrapped, LB_PLAIN_TEXT, font, {}, nullptr);
        seconds = std::min(seconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::printf("text %-28s %.1f MB -> %.1f MB, lines joined: %.3f s, %.0f MB/s (aim: at least 50 MB/s)\n",
                "English, hard-wrapped", wrapped.size() / 1e6, item.data.size() / 1e6, seconds,
                wrapped.size() / 1e6 / seconds);
    return 0;
}
