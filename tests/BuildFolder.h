#pragma once

// A program folder the build tests build in, and a progress that keeps what it is told.
#include "TestFiles.h"
#include "assembly/Build.h"
#include "rom/Fonts.h"

#include <string>
#include <vector>

namespace lbtest {

class Recorder : public lb::BuildProgress {
public:
    std::vector<std::string> shown;
    void LogLine(const std::string&, const std::string& log) override { shown.push_back(log); }
    void EntryStarted(int, int, const std::string& counter) override { shown.push_back(counter); }
    void Warning(const std::string& text) override { shown.push_back("warning " + text); }
    void Finished(const std::string& caption) override { shown.push_back(caption); }
};

// A program folder with a base image of `baseSize` bytes (byte i = i & 255) and a skin whose
// pictures are all colour index `k` for picture k.
struct Folder {
    TempFolder dir;
    lb::BuildRequest request;
    explicit Folder(size_t baseSize, int font = 3) {
        std::vector<uint8_t> base(baseSize);
        for (size_t i = 0; i < baseSize; ++i) base[i] = static_cast<uint8_t>(i);
        dir.Write(std::string("Bin/") + lb::Font(font).base_image, base);
        std::vector<uint8_t> pal(1024, 0);
        pal[0] = 255; // entry 0 blue
        for (int k = 0; k < 3; ++k) {
            BmpFields s{240, 160, 8, 0, pal, std::vector<uint8_t>(240 * 160, static_cast<uint8_t>(k + 1))};
            dir.Write("pic" + std::to_string(k) + ".bmp", MakeBmp(s));
        }
        request.programFolder = dir.Path();
        request.font = font;
        request.language = 1;
        request.titlePath = (dir.Path() / "pic0.bmp").string();
        request.menuPath = (dir.Path() / "pic1.bmp").string();
        request.backPath = (dir.Path() / "pic2.bmp").string();
        request.layout = {8, 16, 5};
        request.corner = 1;
        request.outputPath = (dir.Path() / "out.gba").string();
    }
};

} // namespace lbtest
