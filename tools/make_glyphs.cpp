// Turns a font into the viewer's glyph tables with FreeType, and draws a proof sheet:
//   make_glyphs FONT FACE PIXELS HALF-WIDTH CELL-HEIGHT CODE-PAGE OUT.glyphs PROOF.png
// CODE-PAGE is CP1252 (single bytes only), CP950 (Big5) or CP936 (GB2312). A designed
// bitmap strike of PIXELS is used when the font has one; otherwise the outline is rendered
// hinted in monochrome. Characters the font lacks are stored as a box.
#include "../viewer/glyph_table.h"

#include <QImage>
#include <cstdio>
#include <fstream>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <iconv.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Cell {
    int width, height;
    std::vector<uint8_t> pixels; // one byte a pixel
};

unsigned ToUnicode(iconv_t cd, const std::string& code) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(code.data());
    size_t inLeft = code.size();
    uint32_t out = 0;
    char* o = reinterpret_cast<char*>(&out);
    size_t outLeft = 4;
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) || inLeft || outLeft) return 0;
    return out;
}

Cell Box(int width, int height) {
    Cell c{width, height, std::vector<uint8_t>(static_cast<size_t>(width * height), 0)};
    for (int y = 2; y < height - 2; ++y)
        for (int x = 1; x < width - 1; ++x)
            if (y == 2 || y == height - 3 || x == 1 || x == width - 2) c.pixels[static_cast<size_t>(y * width + x)] = 1;
    return c;
}

class Renderer {
public:
    Renderer(const char* file, int face, int pixels, int cellHeight) : cellHeight_(cellHeight) {
        if (FT_Init_FreeType(&library_) || FT_New_Face(library_, file, face, &face_))
            throw std::runtime_error(std::string(file) + ": FreeType cannot open it");
        int best = -1;
        for (int i = 0; i < face_->num_fixed_sizes; ++i)
            if (face_->available_sizes[i].y_ppem / 64 == pixels) best = i;
        if (best >= 0)
            FT_Select_Size(face_, best);
        else
            FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels));
        strike_ = best >= 0;
        int ascender = static_cast<int>(face_->size->metrics.ascender >> 6);
        int descender = static_cast<int>(-(face_->size->metrics.descender >> 6));
        // The line's ink sits in the middle of the cell.
        baseline_ = (cellHeight - (ascender + descender)) / 2 + ascender;
    }
    ~Renderer() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    bool Strike() const { return strike_; }

    // Nothing when the font has no glyph for the character.
    bool Render(unsigned unicode, int width, Cell& cell) {
        cell = {width, cellHeight_, std::vector<uint8_t>(static_cast<size_t>(width * cellHeight_), 0)};
        FT_UInt index = unicode ? FT_Get_Char_Index(face_, unicode) : 0;
        if (!index) return false;
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME)) return false;
        const FT_Bitmap& b = face_->glyph->bitmap;
        int left = face_->glyph->bitmap_left;
        if (left + static_cast<int>(b.width) > width) left = width - static_cast<int>(b.width);
        if (left < 0) left = 0;
        const int top = baseline_ - face_->glyph->bitmap_top;
        for (unsigned r = 0; r < b.rows; ++r)
            for (unsigned c = 0; c < b.width; ++c) {
                int x = left + static_cast<int>(c), y = top + static_cast<int>(r);
                if (x < 0 || y < 0 || x >= width || y >= cellHeight_) continue;
                const uint8_t* row = b.buffer + static_cast<int>(r) * b.pitch;
                bool on = b.pixel_mode == FT_PIXEL_MODE_MONO ? (row[c / 8] & (0x80 >> (c % 8))) : row[c] > 127;
                cell.pixels[static_cast<size_t>(y * width + x)] = on;
            }
        return true;
    }

private:
    FT_Library library_{};
    FT_Face face_{};
    int cellHeight_, baseline_ = 0;
    bool strike_ = false;
};

void Pack(const Cell& cell, std::vector<uint8_t>& out) {
    const size_t bytes = lb_glyph_bytes(static_cast<unsigned>(cell.width), static_cast<unsigned>(cell.height));
    size_t at = out.size();
    out.resize(at + bytes, 0);
    for (size_t i = 0; i < cell.pixels.size(); ++i)
        if (cell.pixels[i]) out[at + i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 9) {
        std::fprintf(stderr, "usage: make_glyphs FONT FACE PIXELS HALF-WIDTH CELL-HEIGHT CODE-PAGE OUT.glyphs PROOF.png\n");
        return 2;
    }
    try {
        const int half = std::stoi(argv[4]), height = std::stoi(argv[5]);
        const std::string page = argv[6];
        const unsigned set = page == "CP950" ? LB_GLYPHS_BIG5 : page == "CP936" ? LB_GLYPHS_GB2312 : LB_GLYPHS_SINGLE;
        Renderer font(argv[1], std::stoi(argv[2]), std::stoi(argv[3]), height);
        iconv_t cd = iconv_open("UTF-32LE", page.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(page + ": iconv does not know it");
        std::vector<Cell> proof;
        std::vector<uint8_t> single, dual;
        int missing = 0;
        for (unsigned b = 0; b < 256; ++b) {
            Cell cell;
            bool shown = b >= 0x20 && (set == LB_GLYPHS_SINGLE || b < 0x7F);
            if (shown && !font.Render(ToUnicode(cd, std::string(1, char(b))), half, cell)) cell = Box(half, height);
            if (!shown) cell = {half, height, std::vector<uint8_t>(static_cast<size_t>(half * height), 0)};
            Pack(cell, single);
            if (b >= 0x20 && b < 0x7F) proof.push_back(cell);
        }
        const unsigned count = lb_double_glyph_count(set);
        for (unsigned i = 0; i < count; ++i) {
            unsigned code = lb_double_code(set, i);
            Cell cell;
            std::string bytes{char(code >> 8), char(code & 255)};
            unsigned unicode = ToUnicode(cd, bytes);
            if (!font.Render(unicode, 2 * half, cell)) {
                cell = Box(2 * half, height);
                if (unicode) ++missing;
            }
            Pack(cell, dual);
            if (i < 94 * 4 || (i % 97 == 0 && proof.size() < 900)) proof.push_back(cell);
        }
        iconv_close(cd);
        lb_glyph_file_header header{};
        header.half_width = static_cast<uint8_t>(half);
        header.height = static_cast<uint8_t>(height);
        header.set = static_cast<uint8_t>(set);
        header.single_bytes = static_cast<uint32_t>(single.size());
        header.double_bytes = static_cast<uint32_t>(dual.size());
        std::ofstream out(argv[7], std::ios::binary);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(reinterpret_cast<const char*>(single.data()), static_cast<std::streamsize>(single.size()));
        out.write(reinterpret_cast<const char*>(dual.data()), static_cast<std::streamsize>(dual.size()));
        if (!out) throw std::runtime_error(std::string(argv[7]) + ": cannot be written");

        // The proof sheet: 32 glyphs a row, each cell on white, scaled up three times.
        const int across = 32, scale = 3, cw = 2 * half + 2, ch = height + 2;
        const int rows = static_cast<int>((proof.size() + across - 1) / across);
        QImage sheet(across * cw * scale, rows * ch * scale, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        for (size_t i = 0; i < proof.size(); ++i) {
            const Cell& c = proof[i];
            int ox = static_cast<int>(i % across) * cw + 1, oy = static_cast<int>(i / across) * ch + 1;
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x)
                    if (c.pixels[static_cast<size_t>(y * c.width + x)])
                        for (int s = 0; s < scale * scale; ++s)
                            sheet.setPixel((ox + x) * scale + s % scale, (oy + y) * scale + s / scale, qRgb(0, 0, 0));
        }
        if (!sheet.save(QString::fromLocal8Bit(argv[8]))) throw std::runtime_error(std::string(argv[8]) + ": cannot be written");
        std::printf("%s: %u double-byte glyphs, %d without a glyph in the font, %s\n", argv[7], count, missing,
                    font.Strike() ? "bitmap strike" : "rendered outline");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_glyphs: %s\n", e.what());
        return 1;
    }
    return 0;
}
