// Turns a font into the glyph tables of one of the viewer's fonts with FreeType, and draws a
// proof sheet (PROOF-FOLDER/proof-NAME.png, NAME the base image's):
//   make_glyphs FONT-FILE FACE PIXELS FONT-NUMBER OUT.glyphs PROOF-FOLDER
//               [LATIN-FILE LATIN-PIXELS [REPAIR-FILE REPAIR-PIXELS]]
// LATIN-FILE, a Latin bitmap font drawn for the cell, gives the half-width glyphs 0x20..0x7E
// (a Chinese font's own half-width forms read poorly at these sizes). REPAIR-FILE, the same
// design at a larger size, stands in for the font's damaged double-byte glyphs: those with less
// than half the ink the larger drawing has for their area, and those listed in kRedrawn.
// The cells, line height and code page are the font table's. A designed bitmap strike of
// PIXELS is used when the font file has one; otherwise the outline is rendered hinted in
// monochrome. Characters the font file lacks are stored as a box. The Unicode font has no code
// page: its tables hold every character of the Basic Multilingual Plane that LATIN-FILE (at
// half width) or FONT-FILE has, and a map from code points to them.
#include "format/GlyphTable.h"

#include <QImage>
#include <algorithm>
#include <map>
#include <cstdio>
#include <fstream>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <iconv.h>
#include <zlib.h>
#include <memory>
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
        // A compressed font is unpacked into memory first: FreeType reads a ".gz" stream anew for
        // each glyph it seeks back to, which takes a minute for the Unicode font's.
        const std::string name = file;
        if (name.size() > 3 && name.compare(name.size() - 3, 3, ".gz") == 0) {
            gzFile in = gzopen(file, "rb");
            if (!in) throw std::runtime_error(name + ": cannot be read");
            char chunk[1 << 16];
            for (int got; (got = gzread(in, chunk, sizeof chunk)) > 0;) data_.insert(data_.end(), chunk, chunk + got);
            gzclose(in);
        }
        const bool opened =
            !FT_Init_FreeType(&library_) &&
            !(data_.empty() ? FT_New_Face(library_, file, face, &face_)
                            : FT_New_Memory_Face(library_, data_.data(), static_cast<FT_Long>(data_.size()), face, &face_));
        if (!opened) throw std::runtime_error(name + ": FreeType cannot open it");
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

    // How far the pen moves after the character, in pixels; 0 when the font lacks it.
    int Advance(unsigned unicode) {
        FT_UInt index = unicode ? FT_Get_Char_Index(face_, unicode) : 0;
        if (!index || FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT)) return 0;
        return static_cast<int>(face_->glyph->advance.x >> 6);
    }

    // Nothing when the font has no glyph for the character.
    bool Render(unsigned unicode, int width, Cell& cell) {
        cell = {width, cellHeight_, std::vector<uint8_t>(static_cast<size_t>(width * cellHeight_), 0)};
        FT_UInt index = unicode ? FT_Get_Char_Index(face_, unicode) : 0;
        if (!index) return false;
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME)) return false;
        const FT_Bitmap& b = face_->glyph->bitmap;
        // Ink that would stick out of the cell is moved in, as far as it fits.
        int left = face_->glyph->bitmap_left;
        if (left + static_cast<int>(b.width) > width) left = width - static_cast<int>(b.width);
        if (left < 0) left = 0;
        int top = baseline_ - face_->glyph->bitmap_top;
        if (top + static_cast<int>(b.rows) > cellHeight_) top = cellHeight_ - static_cast<int>(b.rows);
        if (top < 0) top = 0;
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
    std::vector<FT_Byte> data_; // a compressed font's unpacked bytes, which the face reads
    FT_Library library_{};
    FT_Face face_{};
    int cellHeight_, baseline_ = 0;
    bool strike_ = false;
};

// What the proof sheet shows after the single-byte glyphs: the rows of punctuation, symbols and
// full-width forms at the start of the set, then common characters.
const char* const kCommonTraditional = "的一是不了人我在有他這中大來上國個到說們為子和你地出道也時年得就那要下以生會自著去之過家學對可她裡後小麼心多天而能好都然沒日於起還發成事只作當想看文無開手十用主行方又如前所本見經頭面公同三已老從動兩長知民樣現分將外但身些與高意進把法此實回二理美點月明其種聲全工己話兒者向情部正名定女問力機給等幾很業最間新什打便位因重被走電四第門相次東政海口使教西再平真聽世氣信北少關並內加化由卻代軍產入先山五太水萬市眼體別處總才場師書比住員九笑性通目華報立馬命張活難神數件安表原車白應路期叫死常提感金何更反合放做系計或司利受光王果親界及今京務制解各任至清物台象記邊共風戰";
const char* const kCommonSimplified = "的一是不了人我在有他这中大来上国个到说们为子和你地出道也时年得就那要下以生会自着去之过家学对可她里后小么心多天而能好都然没日于起还发成事只作当想看文无开手十用主行方又如前所本见经头面公同三已老从动两长知民样现分将外但身些与高意进把法此实回二理美点月明其种声全工己话儿者向情部正名定女问力机给等几很业最间新什打便位因重被走电四第门相次东政海口使教西再平真听世气信北少关并内加化由却代军产入先山五太水万市眼体别处总才场师书比住员九笑性通目华报立马命张活难神数件安表原车白应路期叫死常提感金何更反合放做系计或司利受光王果亲界及今京务制解各任至清物台象记边共风战";

std::vector<int> ProofGlyphs(unsigned set, const std::string& page) {
    std::vector<int> shown;
    const int symbols = set == LB_GLYPHS_BIG5 ? 2 * 157 : set == LB_GLYPHS_GB2312 ? 3 * 94 : 0;
    for (int i = 0; i < symbols; ++i) shown.push_back(i);
    if (!symbols) return shown;
    std::string text = set == LB_GLYPHS_BIG5 ? kCommonTraditional : kCommonSimplified, codes(text.size(), 0);
    iconv_t cd = iconv_open(page.c_str(), "UTF-8");
    char* in = text.data();
    char* out = codes.data();
    size_t inLeft = text.size(), outLeft = codes.size();
    iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    codes.resize(codes.size() - outLeft);
    for (size_t i = 0; i + 1 < codes.size(); i += 2) {
        int index = lb_double_index(set, static_cast<uint8_t>(codes[i]), static_cast<uint8_t>(codes[i + 1]));
        if (index >= 0) shown.push_back(index);
    }
    return shown;
}

// Characters whose drawing in the smaller font is damaged in a way the ink count misses (its
// strokes scattered into dots): 夠 in efont's 10-pixel font.
const unsigned kRedrawn[] = {0x5920};

int Ink(const Cell& c) { return static_cast<int>(std::count(c.pixels.begin(), c.pixels.end(), 1)); }

// The larger drawing's ink, its cell less the blank last row and column, brought down to
// `width` x `height` by the share of each new pixel it covers.
Cell Shrunk(const Cell& large, int width, int height) {
    Cell out{width, height, std::vector<uint8_t>(static_cast<size_t>(width * height), 0)};
    const double fx = (large.width - 1) / double(width), fy = (large.height - 1) / double(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double covered = 0;
            for (int ly = 0; ly + 1 < large.height; ++ly)
                for (int lx = 0; lx + 1 < large.width; ++lx) {
                    if (!large.pixels[static_cast<size_t>(ly * large.width + lx)]) continue;
                    const double ox = std::min((x + 1) * fx, lx + 1.0) - std::max(x * fx, double(lx));
                    const double oy = std::min((y + 1) * fy, ly + 1.0) - std::max(y * fy, double(ly));
                    if (ox > 0 && oy > 0) covered += ox * oy;
                }
            out.pixels[static_cast<size_t>(y * width + x)] = covered >= 0.5 * fx * fy;
        }
    return out;
}

void Pack(const Cell& cell, std::vector<uint8_t>& out) {
    const size_t bytes = lb_glyph_bytes(static_cast<unsigned>(cell.width), static_cast<unsigned>(cell.height));
    size_t at = out.size();
    out.resize(at + bytes, 0);
    for (size_t i = 0; i < cell.pixels.size(); ++i)
        if (cell.pixels[i]) out[at + i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
}

// The proof sheet: 32 glyphs a row, each cell pale grey on white so that its edges show,
// scaled up three times.
void WriteProof(const std::vector<Cell>& proof, int half, int height, const std::string& proofPath) {
    const int across = 32, scale = 3, cw = 2 * half + 2, ch = height + 2;
    const int rows = static_cast<int>((proof.size() + across - 1) / across);
    QImage sheet(across * cw * scale, rows * ch * scale, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (size_t i = 0; i < proof.size(); ++i) {
        const Cell& c = proof[i];
        int ox = static_cast<int>(i % across) * cw + 1, oy = static_cast<int>(i / across) * ch + 1;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                QRgb colour = c.pixels[static_cast<size_t>(y * c.width + x)] ? qRgb(0, 0, 0) : qRgb(228, 228, 228);
                for (int s = 0; s < scale * scale; ++s)
                    sheet.setPixel((ox + x) * scale + s % scale, (oy + y) * scale + s / scale, colour);
            }
    }
    if (!sheet.save(QString::fromStdString(proofPath))) throw std::runtime_error(proofPath + ": cannot be written");
}

// A sample of each script the Unicode font draws, for its proof sheet.
const char* const kUnicodeSample =
    "AaZz09ÀÉßçñøĀąČęŁőřŚşŽžƒȘțẞ ΑαΒβΓγΔδΩω ЖжЩщЯяЁёЇїҐґ ʃəŋ ‘’“”–—…€™ "
    "あいうえおアイウエオーっャ、。「」 한국어글자 漢字简体字繁體 ！？（）１２ＡＢ ①②→←♪☆";

std::vector<unsigned> CodePoints(const std::string& utf8) {
    std::vector<unsigned> out(utf8.size() + 1);
    iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    char* in = const_cast<char*>(utf8.data());
    char* o = reinterpret_cast<char*>(out.data());
    size_t inLeft = utf8.size(), outLeft = out.size() * 4;
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft / 4);
    return out;
}

// The Unicode font's tables: every code point of the Basic Multilingual Plane but controls and
// surrogates, half-width from the Latin font where it has the character, else from the main
// font, full-width where the main font draws it wider than a half cell.
void UnicodeTables(Renderer& main, Renderer& latin, int half, std::vector<uint8_t>& single,
                   std::vector<uint8_t>& dual, std::vector<uint8_t>& map, std::vector<Cell>& proof) {
    std::vector<uint16_t> entries(0x10000, LB_UNICODE_NONE);
    unsigned halves = 0, fulls = 0;
    std::map<unsigned, Cell> drawn;
    for (unsigned u = 0x20; u < 0x10000; ++u) {
        if (u == 0x7F || (u >= 0x80 && u < 0xA0) || (u >= 0xD800 && u < 0xE000)) continue;
        Cell cell;
        if (latin.Render(u, half, cell)) {
            Pack(cell, single);
            entries[u] = static_cast<uint16_t>(halves++);
        } else if (const int advance = main.Advance(u); advance > 0 && advance <= half && main.Render(u, half, cell)) {
            Pack(cell, single);
            entries[u] = static_cast<uint16_t>(halves++);
        } else if (advance > half && main.Render(u, 2 * half, cell)) {
            Pack(cell, dual);
            entries[u] = static_cast<uint16_t>(LB_UNICODE_FULL + fulls++);
        } else {
            continue;
        }
        drawn[u] = cell;
    }
    if (halves >= LB_UNICODE_FULL || fulls >= LB_UNICODE_FULL - 1)
        throw std::runtime_error("too many glyphs for the map's 15-bit numbers");
    std::vector<uint16_t> words(LB_UNICODE_MAP_WORDS, LB_UNICODE_NONE);
    for (unsigned block = 0; block < 256; ++block) {
        const auto first = entries.begin() + block * 256;
        if (std::all_of(first, first + 256, [](uint16_t e) { return e == LB_UNICODE_NONE; })) continue;
        words[block] = static_cast<uint16_t>(words.size() / LB_UNICODE_MAP_WORDS - 1);
        words.insert(words.end(), first, first + 256);
    }
    for (uint16_t w : words) {
        map.push_back(static_cast<uint8_t>(w & 0xFF));
        map.push_back(static_cast<uint8_t>(w >> 8));
    }
    for (unsigned u : CodePoints(kUnicodeSample))
        if (auto found = drawn.find(u); found != drawn.end()) proof.push_back(found->second);
    std::printf("Unicode: %u half-width and %u full-width glyphs, %zu map blocks\n", halves, fulls,
                words.size() / LB_UNICODE_MAP_WORDS - 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7 && argc != 9 && argc != 11) {
        std::fprintf(stderr, "usage: make_glyphs FONT-FILE FACE PIXELS FONT-NUMBER OUT.glyphs PROOF-FOLDER "
                             "[LATIN-FILE LATIN-PIXELS [REPAIR-FILE REPAIR-PIXELS]]\n");
        return 2;
    }
    try {
        const unsigned number = static_cast<unsigned>(std::stoi(argv[4]));
        if (number >= LB_FONT_COUNT) throw std::runtime_error(std::string("no font ") + argv[4]);
        const lb_font& table = lb_fonts[number];
        const int half = table.half_width, height = table.height, lineHeight = table.line_height;
        const std::string page = table.code_page;
        const unsigned set = table.glyph_set;
        const std::string base = table.base_image;
        const std::string proofPath =
            std::string(argv[6]) + "/proof-" + base.substr(0, base.rfind('.')) + ".png";
        Renderer font(argv[1], std::stoi(argv[2]), std::stoi(argv[3]), height);
        std::unique_ptr<Renderer> latin;
        if (argc >= 9) latin = std::make_unique<Renderer>(argv[7], 0, std::stoi(argv[8]), height);
        std::unique_ptr<Renderer> repair;
        const int repairPixels = argc == 11 ? std::stoi(argv[10]) : 0;
        if (argc == 11) repair = std::make_unique<Renderer>(argv[9], 0, repairPixels, repairPixels);
        std::string repaired;
        std::vector<Cell> proof;
        std::vector<uint8_t> single, dual;
        if (set == LB_GLYPHS_UNICODE) {
            if (!latin) throw std::runtime_error("the Unicode font takes a Latin font too");
            std::vector<uint8_t> map;
            UnicodeTables(font, *latin, half, single, dual, map, proof);
            lb_glyph_file_header header{static_cast<uint8_t>(half), static_cast<uint8_t>(height),
                                        static_cast<uint8_t>(set), static_cast<uint8_t>(lineHeight),
                                        static_cast<uint32_t>(single.size()), static_cast<uint32_t>(dual.size()),
                                        static_cast<uint32_t>(map.size())};
            std::ofstream out(argv[5], std::ios::binary);
            out.write(reinterpret_cast<const char*>(&header), sizeof header);
            for (const auto* table : {&single, &dual, &map})
                out.write(reinterpret_cast<const char*>(table->data()), static_cast<std::streamsize>(table->size()));
            if (!out) throw std::runtime_error(std::string(argv[5]) + ": cannot be written");
            WriteProof(proof, half, height, proofPath);
            return 0;
        }
        iconv_t cd = iconv_open("UTF-32LE", page.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(page + ": iconv does not know it");
        int missing = 0;
        std::vector<uint8_t> coverage(lb_coverage_bytes(set), 0);
        auto covered = [&](unsigned k) { coverage[k >> 3] |= static_cast<uint8_t>(1u << (k & 7)); };
        for (unsigned b = 0; b < 256; ++b) {
            Cell cell;
            // In a double-byte set a byte from 0x80 up shows only when it stands alone: as a box.
            const bool lone = set != LB_GLYPHS_SINGLE && b >= 0x80;
            const bool control = b < 0x20 || b == 0x7F;
            Renderer& drawn = latin && b >= 0x20 && b < 0x7F ? *latin : font;
            if (lone || (!control && !drawn.Render(ToUnicode(cd, std::string(1, char(b))), half, cell)))
                cell = Box(half, height);
            else if (control)
                cell = {half, height, std::vector<uint8_t>(static_cast<size_t>(half * height), 0)};
            else
                covered(b);
            Pack(cell, single);
            if (b >= 0x20 && b < 0x7F) proof.push_back(cell);
        }
        const unsigned count = lb_double_glyph_count(set);
        std::vector<Cell> doubles;
        for (unsigned i = 0; i < count; ++i) {
            unsigned code = lb_double_code(set, i);
            Cell cell;
            std::string bytes{char(code >> 8), char(code & 255)};
            unsigned unicode = ToUnicode(cd, bytes);
            if (!font.Render(unicode, 2 * half, cell)) {
                cell = Box(2 * half, height);
                if (unicode) ++missing;
            } else {
                covered(256 + i);
                Cell large;
                if (repair && repair->Render(unicode, repairPixels, large)) {
                    const double expected = Ink(large) * double(2 * half * height) / (repairPixels * repairPixels);
                    const bool listed = std::find(std::begin(kRedrawn), std::end(kRedrawn), unicode) != std::end(kRedrawn);
                    if (listed || (Ink(large) >= 20 && Ink(cell) < 0.5 * expected)) {
                        cell = Shrunk(large, 2 * half, height);
                        char name[16];
                        std::snprintf(name, sizeof name, " U+%04X", unicode);
                        repaired += name;
                    }
                }
            }
            Pack(cell, dual);
            doubles.push_back(std::move(cell));
        }
        iconv_close(cd);
        for (int i : ProofGlyphs(set, page)) proof.push_back(doubles[static_cast<size_t>(i)]);
        lb_glyph_file_header header{};
        header.half_width = static_cast<uint8_t>(half);
        header.height = static_cast<uint8_t>(height);
        header.set = static_cast<uint8_t>(set);
        header.line_height = static_cast<uint8_t>(lineHeight);
        header.single_bytes = static_cast<uint32_t>(single.size());
        header.double_bytes = static_cast<uint32_t>(dual.size());
        header.coverage_bytes = static_cast<uint32_t>(coverage.size());
        std::ofstream out(argv[5], std::ios::binary);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(reinterpret_cast<const char*>(single.data()), static_cast<std::streamsize>(single.size()));
        out.write(reinterpret_cast<const char*>(dual.data()), static_cast<std::streamsize>(dual.size()));
        out.write(reinterpret_cast<const char*>(coverage.data()), static_cast<std::streamsize>(coverage.size()));
        if (!out) throw std::runtime_error(std::string(argv[5]) + ": cannot be written");

        WriteProof(proof, half, height, proofPath);
        std::printf("%s: %u double-byte glyphs, %d without a glyph in the font, %s\n", argv[5], count, missing,
                    font.Strike() ? "bitmap strike" : "rendered outline");
        if (!repaired.empty()) std::printf("%s: drawn from the larger font:%s\n", argv[5], repaired.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_glyphs: %s\n", e.what());
        return 1;
    }
    return 0;
}
