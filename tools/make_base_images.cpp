// Joins the viewer program and a font's glyphs into the four base images, each with a
// cartridge header that real hardware accepts and the description the viewer reads at 0xC0:
//   make_base_images VIEWER.bin BOOT-LOGO.bin FONT.bdf FOLDER
// Fails when an image would reach its font's skin region.
#include "../src/rom/RomLayout.h"
#include "../viewer/base_info.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string(path) + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), {}};
}

// Glyphs of a BDF font by code point, each as 16 rows in a cell with one blank row on top.
std::map<unsigned, std::vector<uint8_t>> ReadBdf(const char* path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error(std::string(path) + ": cannot be read");
    std::map<unsigned, std::vector<uint8_t>> glyphs;
    int ascent = 11;
    std::string line;
    long code = -1;
    int w = 0, h = 0, xoff = 0, yoff = 0;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "FONT_ASCENT") words >> ascent;
        else if (key == "ENCODING") words >> code;
        else if (key == "BBX") words >> w >> h >> xoff >> yoff;
        else if (key == "BITMAP" && code >= 0) {
            std::vector<uint8_t> rows(LB_GLYPH_HEIGHT, 0);
            int top = 1 + ascent - (yoff + h);
            for (int r = 0; r < h && std::getline(in, line); ++r) {
                unsigned bits = static_cast<unsigned>(std::stoul(line, nullptr, 16));
                int at = top + r;
                if (at >= 0 && at < static_cast<int>(LB_GLYPH_HEIGHT) && w <= 8)
                    rows[static_cast<size_t>(at)] = static_cast<uint8_t>(bits >> xoff);
            }
            glyphs[static_cast<unsigned>(code)] = rows;
            code = -1;
        }
    }
    return glyphs;
}

// What each single byte is in Windows-1252, the English font's code page.
unsigned Cp1252(unsigned byte) {
    static const unsigned high[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
                                      0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : byte;
}

std::vector<uint8_t> GlyphTable(const std::map<unsigned, std::vector<uint8_t>>& font, bool western) {
    // A character the font lacks shows a small box.
    const uint8_t box[LB_GLYPH_HEIGHT] = {0, 0, 0, 0x7E, 0x42, 0x42, 0x42, 0x42,
                                          0x42, 0x42, 0x42, 0x7E, 0, 0, 0, 0};
    std::vector<uint8_t> table(LB_SINGLE_GLYPH_BYTES, 0);
    for (unsigned b = 0x20; b < LB_SINGLE_GLYPHS; ++b) {
        if (!western && b > 0x7E) break; // lead bytes of the double-byte codes
        unsigned code = western ? Cp1252(b) : b;
        auto found = code ? font.find(code) : font.end();
        const uint8_t* rows = found != font.end() ? found->second.data() : box;
        std::copy(rows, rows + LB_GLYPH_HEIGHT, table.begin() + b * LB_GLYPH_HEIGHT);
    }
    return table;
}

void Put32(std::vector<uint8_t>& image, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: make_base_images VIEWER.bin BOOT-LOGO.bin FONT.bdf FOLDER\n");
        return 2;
    }
    try {
        const std::vector<uint8_t> program = ReadFile(argv[1]);
        const std::vector<uint8_t> logo = ReadFile(argv[2]);
        const auto font = ReadBdf(argv[3]);
        if (logo.size() != 156) throw std::runtime_error("the boot logo is not 156 bytes");
        if (program.size() < LB_BASE_INFO_OFFSET + sizeof(lb_base_info) ||
            std::string(program.begin() + LB_BASE_INFO_OFFSET,
                        program.begin() + LB_BASE_INFO_OFFSET + 4) != LB_BASE_INFO_MAGIC)
            throw std::runtime_error("the viewer has no base description at 0xC0");
        const char* names[4] = {"Big5s.bin", "Big5b.bin", "GB2312.bin", "Eng.bin"};
        const char* codes[4] = {"LBSA", "LBBA", "LBGA", "LBEA"};
        for (unsigned k = 0; k < LB_FONT_COUNT; ++k) {
            std::vector<uint8_t> image = program;
            image.resize((image.size() + 3) / 4 * 4, 0);
            const uint32_t glyphs = static_cast<uint32_t>(image.size());
            const std::vector<uint8_t> table = GlyphTable(font, k == 3);
            image.insert(image.end(), table.begin(), table.end());
            std::copy(logo.begin(), logo.end(), image.begin() + 4);
            std::fill(image.begin() + LB_TITLE_OFFSET, image.begin() + LB_CART_HEADER_BYTES, 0);
            std::copy(LB_TITLE_TEXT, LB_TITLE_TEXT + LB_TITLE_LENGTH, image.begin() + LB_TITLE_OFFSET);
            std::copy(codes[k], codes[k] + 4, image.begin() + 0xAC);
            image[0xB0] = 'L';
            image[0xB1] = 'B';
            image[0xB2] = 0x96;
            unsigned sum = 0;
            for (unsigned i = 0xA0; i <= 0xBC; ++i) sum += image[i];
            image[0xBD] = static_cast<uint8_t>((0u - sum - 0x19u) & 0xFF);
            Put32(image, LB_BASE_INFO_OFFSET + 4, lb_skin_region_offset(k));
            Put32(image, LB_BASE_INFO_OFFSET + 8, glyphs);
            Put32(image, LB_BASE_INFO_OFFSET + 12, static_cast<uint32_t>(table.size()));
            Put32(image, LB_BASE_INFO_OFFSET + 16, k);
            if (image.size() >= lb_skin_region_offset(k))
                throw std::runtime_error(std::string(names[k]) + " is " + std::to_string(image.size()) +
                                         " bytes, not shorter than its skin region offset " +
                                         std::to_string(lb_skin_region_offset(k)));
            std::string out = std::string(argv[4]) + "/" + names[k];
            std::ofstream(out, std::ios::binary)
                .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_base_images: %s\n", e.what());
        return 1;
    }
    return 0;
}
