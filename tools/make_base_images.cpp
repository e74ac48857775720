// Writes placeholder base images: a valid cartridge header and an idle loop, one per font.
// The real handheld viewer replaces them.
#include "../src/rom/RomLayout.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_base_images FOLDER\n");
        return 2;
    }
    const char* names[4] = {"Big5s.bin", "Big5b.bin", "GB2312.bin", "Eng.bin"};
    const char* codes[4] = {"LBSA", "LBBA", "LBGA", "LBEA"};
    for (int k = 0; k < 4; ++k) {
        std::vector<unsigned char> rom(256 + 64 * k, 0);
        auto put32 = [&](size_t at, unsigned v) {
            for (int i = 0; i < 4; ++i) rom[at + i] = (v >> (8 * i)) & 255;
        };
        put32(0, 0xEA00002E);    // b 0xC0
        put32(0xC0, 0xEAFFFFFE); // b .
        for (unsigned i = 0; i < LB_TITLE_LENGTH; ++i) rom[LB_TITLE_OFFSET + i] = LB_TITLE_TEXT[i];
        for (int i = 0; i < 4; ++i) rom[0xAC + i] = codes[k][i];
        rom[0xB0] = '0';
        rom[0xB1] = '1';
        rom[0xB2] = 0x96;
        unsigned sum = 0;
        for (int i = 0xA0; i <= 0xBC; ++i) sum += rom[i];
        rom[0xBD] = static_cast<unsigned char>((0u - sum - 0x19u) & 0xFF);
        std::string path = std::string(argv[1]) + "/" + names[k];
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(rom.data(), 1, rom.size(), f) != rom.size() || std::fclose(f) != 0) {
            std::perror(path.c_str());
            return 1;
        }
    }
    return 0;
}
