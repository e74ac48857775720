// Runs a ROM in the emulator for a few seconds and saves what the handheld shows:
//   run_demo ROM FOLDER  ->  FOLDER/demo-title.png (the title) and FOLDER/demo-menu.png
#include "../tests/handheld/Handheld.h"

#include <QImage>
#include <cstdio>
#include <exception>

namespace {

bool Save(const Handheld& h, const QString& path) {
    QImage image(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x) {
            uint16_t c = h.Pixel(x, y);
            auto eight = [](unsigned v) { return (v << 3) | (v >> 2); };
            image.setPixel(x, y, qRgb(eight(c & 31), eight((c >> 5) & 31), eight((c >> 10) & 31)));
        }
    return image.save(path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: run_demo ROM FOLDER\n");
        return 2;
    }
    try {
        Handheld h(argv[1]);
        h.Run(120);
        QString folder = QString::fromLocal8Bit(argv[2]);
        bool saved = Save(h, folder + "/demo-title.png");
        h.Press(kKeyStart);
        h.Run(60);
        saved = Save(h, folder + "/demo-menu.png") && saved;
        if (!saved) {
            std::fprintf(stderr, "run_demo: the pictures could not be saved in %s\n", argv[2]);
            return 1;
        }
        std::printf("saved %s/demo-title.png and %s/demo-menu.png\n", argv[2], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "run_demo: %s\n", e.what());
        return 1;
    }
    return 0;
}
