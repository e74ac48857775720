// A menu made from fuzzed bytes, built by the builder and read back by the reader: the same
// names, the same record kinds. Each line of the input is one entry: its first byte picks
// the kind and a heading mark, the rest gives the name and the file's bytes.
#include "../tests/BuildFolder.h"
#include "FuzzCheck.h"
#include "assembly/Build.h"
#include "common/Error.h"
#include "common/Files.h"
#include "rom/RomReader.h"

#include <string>

namespace {

const lbtest::TempFolder& Folder() {
    static lbtest::TempFolder folder;
    static bool made = false;
    if (!made) {
        folder.Write("Bin/Eng.bin", std::vector<uint8_t>(256, 0));
        std::vector<uint8_t> palette(1024, 0);
        folder.Write("skin.bmp", lbtest::MakeBmp({240, 160, 8, 0, palette, std::vector<uint8_t>(240 * 160, 1)}));
        made = true;
    }
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto& folder = Folder();
    lb::BuildRequest request;
    request.programFolder = folder.Path();
    request.font = 3;
    request.language = 1;
    request.titlePath = request.menuPath = request.backPath = (folder.Path() / "skin.bmp").string();
    request.layout = {0, 0, 0};
    request.outputPath = (folder.Path() / "out.gba").string();
    std::vector<uint8_t> kinds;
    std::vector<std::string> expected;
    static const char* const kExtensions[] = {".txt", ".lkb", ".bmp", ".htm"};
    static const uint8_t kTypes[] = {9, 10, 1, 9};
    size_t at = 0;
    while (at < size && request.entries.size() < 40) {
        size_t end = at;
        while (end < size && data[end] != '\n') ++end;
        if (end > at) {
            const unsigned kind = data[at] % 4, mark = data[at] / 4 % 4;
            std::string name = mark == 1 ? "@" : mark == 2 ? "#" : "";
            std::vector<uint8_t> bytes;
            for (size_t i = at + 1; i < end; ++i) {
                if (name.size() < 40) name += static_cast<char>(0x20 + data[i] % 95); // printable ASCII
                bytes.push_back(data[i]);
            }
            std::string file = "e" + std::to_string(request.entries.size()) + kExtensions[kind];
            if (kind == 2) // a 1 x 1 8-bit picture whose one index is the line's length
                bytes = lbtest::MakeBmp({1, 1, 8, 0, std::vector<uint8_t>(1024, 7),
                                         {static_cast<uint8_t>(end - at), 0, 0, 0}});
            request.entries.push_back({folder.Write(file, bytes), name});
            kinds.push_back(kTypes[kind]);
            // Read back without the mark, 35 characters at most, trailing blanks dropped.
            const bool heading = !name.empty() && (name[0] == '@' || name[0] == '#');
            std::string shown = name.substr(heading ? 1 : 0).substr(0, 35);
            while (!shown.empty() && shown.back() == ' ') shown.pop_back();
            expected.push_back(shown);
        }
        at = end + 1;
    }
    lbtest::Recorder progress;
    lb::Conver(request, progress);
    auto image = lb::ReadWholeFile(request.outputPath);
    lb::RomInfo info = lb::ReadRom(image, 3);
    FUZZ_CHECK(info.problems.empty());
    FUZZ_CHECK(info.names.size() == expected.size() && info.records.size() == kinds.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        FUZZ_CHECK(info.names[i].name == expected[i]);
        FUZZ_CHECK(info.records[i].type == kinds[i]);
    }
    return 0;
}
