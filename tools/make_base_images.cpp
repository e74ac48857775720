// Joins the viewer program and each font's glyph tables (made by make_glyphs) into the base
// images named by the font table, each with a cartridge header that real hardware accepts and
// the description the viewer reads at 0xC0:
//   make_base_images VIEWER.bin BOOT-LOGO.bin FOLDER GLYPHS-0 ... GLYPHS-(N-1)
// with one glyph file for each of the font table's N fonts.
// Fails when an image would reach its font's skin region, or a glyph file's cells are not
// the table's.
#include "format/BaseInfo.h"
#include "format/GlyphTable.h"
#include "format/RomLayout.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

static_assert(std::endian::native == std::endian::little, "the base information is written as the handheld reads it");

std::vector<uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string(path) + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), {}};
}


} // namespace

int main(int argc, char** argv) {
    if (argc != 4 + static_cast<int>(LB_FONT_COUNT)) {
        std::fprintf(stderr, "usage: make_base_images VIEWER.bin BOOT-LOGO.bin FOLDER GLYPHS-0 ... GLYPHS-%u\n",
                     LB_FONT_COUNT - 1u);
        return 2;
    }
    try {
        const std::vector<uint8_t> program = ReadFile(argv[1]);
        const std::vector<uint8_t> logo = ReadFile(argv[2]);
        if (logo.size() != 156) throw std::runtime_error("the boot logo is not 156 bytes");
        if (program.size() < LB_BASE_INFO_OFFSET + sizeof(lb_base_info) ||
            std::string(program.begin() + LB_BASE_INFO_OFFSET,
                        program.begin() + LB_BASE_INFO_OFFSET + 4) != LB_BASE_INFO_MAGIC)
            throw std::runtime_error("the viewer has no base description at 0xC0");
        for (unsigned k = 0; k < LB_FONT_COUNT; ++k) {
            const lb_font& font = lb_fonts[k];
            std::vector<uint8_t> image = program;
            image.resize((image.size() + 3) / 4 * 4, 0);
            const uint32_t glyphs = static_cast<uint32_t>(image.size());
            const std::vector<uint8_t> glyphFile = ReadFile(argv[4 + k]);
            lb_glyph_file_header glyphHeader;
            if (glyphFile.size() < sizeof glyphHeader) throw std::runtime_error(std::string(argv[4 + k]) + ": too short");
            std::memcpy(&glyphHeader, glyphFile.data(), sizeof glyphHeader);
            if (sizeof glyphHeader + uint64_t{glyphHeader.single_bytes} + glyphHeader.double_bytes +
                    glyphHeader.coverage_bytes != glyphFile.size() ||
                (glyphHeader.set == LB_GLYPHS_UNICODE
                     ? glyphHeader.coverage_bytes < 2 * LB_UNICODE_MAP_WORDS ||
                           glyphHeader.coverage_bytes % (2 * LB_UNICODE_MAP_WORDS) != 0
                     : glyphHeader.coverage_bytes != lb_coverage_bytes(glyphHeader.set)))
                throw std::runtime_error(std::string(argv[4 + k]) + ": its tables do not match its length");
            if (glyphHeader.half_width != font.half_width || glyphHeader.height != font.height ||
                glyphHeader.set != font.glyph_set || glyphHeader.line_height != font.line_height)
                throw std::runtime_error(std::string(argv[4 + k]) + ": its cells are not font " +
                                         std::to_string(k) + "'s");
            image.insert(image.end(), glyphFile.begin() + sizeof glyphHeader, glyphFile.end());
            const uint32_t doubles = glyphHeader.double_bytes ? glyphs + glyphHeader.single_bytes : 0;
            const uint32_t coverage = glyphs + glyphHeader.single_bytes + glyphHeader.double_bytes;
            if (glyphHeader.set == LB_GLYPHS_UNICODE && coverage % 2)
                throw std::runtime_error(std::string(argv[4 + k]) +
                                         ": the glyph map would lie at an odd offset, which the viewer reads by halfwords");
            std::copy(logo.begin(), logo.end(), image.begin() + 4);
            std::fill(image.begin() + LB_TITLE_OFFSET, image.begin() + LB_CART_HEADER_BYTES, 0);
            std::copy(LB_TITLE_TEXT, LB_TITLE_TEXT + LB_TITLE_LENGTH, image.begin() + LB_TITLE_OFFSET);
            std::copy(font.game_code, font.game_code + 4, image.begin() + 0xAC);
            image[0xB0] = 'L';
            image[0xB1] = 'B';
            image[0xB2] = 0x96;
            unsigned sum = 0;
            for (unsigned i = 0xA0; i <= 0xBC; ++i) sum += image[i];
            image[0xBD] = static_cast<uint8_t>((0u - sum - 0x19u) & 0xFF);
            // The host and the handheld are both little-endian, so the struct is the bytes.
            lb_base_info info;
            std::memcpy(&info, image.data() + LB_BASE_INFO_OFFSET, sizeof info);
            info.skin_offset = font.skin_offset;
            info.glyph_offset = glyphs;
            info.glyph_bytes = glyphHeader.single_bytes;
            info.font = k;
            info.double_offset = doubles;
            info.half_width = glyphHeader.half_width;
            info.height = glyphHeader.height;
            info.set = glyphHeader.set;
            info.line_height = glyphHeader.line_height;
            info.coverage_offset = coverage;
            std::memcpy(image.data() + LB_BASE_INFO_OFFSET, &info, sizeof info);
            if (image.size() >= font.skin_offset)
                throw std::runtime_error(std::string(font.base_image) + " is " + std::to_string(image.size()) +
                                         " bytes, not shorter than its skin region offset " +
                                         std::to_string(font.skin_offset));
            std::string out = std::string(argv[3]) + "/" + font.base_image;
            std::ofstream(out, std::ios::binary)
                .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_base_images: %s\n", e.what());
        return 1;
    }
    return 0;
}
