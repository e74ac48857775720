// Runs the demo ROM (built from examples/demo.lkm) in libmgba and prints, for each screen
// change, the frames it takes to show after the key press and the frames on the way that are
// neither the screen before nor the new one (half drawn), and the black ones between (leaving
// a direct-colour picture for a screen drawn in the memory it shows from). Aim: at most 2
// frames, none half drawn.
// A second ROM, whose first entry is a long text (full pages of ideographs in the Unicode font,
// for one), is opened and its pages turned: the glyph lookup's cost on a full page.
//   viewer_bench DEMO.gba [TEXT.gba]
#include "preview/Handheld.h"

#include <cstdio>

namespace {

struct Step {
    const char* what;
    uint32_t keys;
    int settle;
};

void Watch(Handheld& h, const Step* steps, size_t count) {
    std::printf("%-24s %8s %12s %6s\n", "screen change", "frames", "half drawn", "black");
    for (size_t k = 0; k < count; ++k) {
        const Step& s = steps[k];
        ScreenChange change = WatchKeyPress(h, s.keys, 30);
        std::printf("%-24s %8d %12d %6d\n", s.what, change.framesToNew, change.mixed, change.black);
        h.Run(s.settle);
    }
}

void TurnTextPages(const char* rom) {
    Handheld h(rom);
    h.Run(60);
    const Step steps[] = {
        {"title to menu", kKeyStart, 10}, {"open the text", kKeyA, 60}, {"page turn", kKeyRight, 10},
        {"page turn", kKeyRight, 10},     {"page back", kKeyLeft, 10},  {"line scroll", kKeyDown, 10},
        {"the contents", kKeyStart, 10},  {"a chapter", kKeyA, 60},
    };
    std::printf("\n%s\n", rom);
    Watch(h, steps, sizeof steps / sizeof steps[0]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: viewer_bench DEMO.gba [TEXT.gba]\n");
        return 2;
    }
    Handheld h(argv[1]);
    h.Run(60);
    // The demo menu: Pictures (Sunset, Tiles, Plasma), then Reading (Welcome, Tides).
    const Step steps[] = {
        {"title to menu", kKeyStart, 10},  {"cursor down", kKeyDown, 10},
        {"cursor up", kKeyUp, 10},         {"open a category", kKeyA, 10},
        {"open a picture", kKeyA, 10},     {"next picture", kKeyRight, 10},
        {"next picture, R", kKeyR, 10},    {"previous picture", kKeyL, 10},
        {"back to the menu", kKeyB, 10},   {"back to the headings", kKeyB, 10},
        {"to Reading", kKeyDown, 10},      {"open Reading", kKeyA, 10},
        {"open a text", kKeyA, 60},        {"line scroll", kKeyDown, 10},
        {"line back", kKeyUp, 10},         {"back from the text", kKeyB, 10},
        {"to the web page", kKeyDown, 10}, {"open the web page", kKeyA, 60},
        {"page turn", kKeyRight, 10},      {"page back", kKeyLeft, 10},
        {"page to the text before", kKeyLeft, 60}, {"text to the page after", kKeyRight, 60},
        {"back from the page", kKeyB, 10},
    };
    Watch(h, steps, sizeof steps / sizeof steps[0]);
    if (argc == 3) TurnTextPages(argv[2]);
    return 0;
}
