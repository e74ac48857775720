#include "common/CodePage.h"

#include "common/Error.h"
#include "common/Spelling.h"
#include "format/FontTable.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace lb {

CodePage CodePageForFont(int font) {
    switch (lb_font_at(static_cast<unsigned>(font))->glyph_set) { // past the table: English
    case LB_GLYPHS_BIG5: return CodePage::Big5;
    case LB_GLYPHS_GB2312: return CodePage::Gbk;
    case LB_GLYPHS_UNICODE: return CodePage::Unicode;
    default: return CodePage::Western;
    }
}

const char* IconvName(CodePage page) {
    for (unsigned k = 0; k < LB_FONT_COUNT; ++k)
        if (CodePageForFont(static_cast<int>(k)) == page) return lb_fonts[k].code_page;
    return lb_font_at(LB_FONT_COUNT)->code_page;
}

namespace {

iconv_t OpenIconv(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Error(std::string("the code page conversion ") + from + " to " + to +
                    " is not available on this system");
    return cd;
}

// Length of the well-formed UTF-8 sequence at s[0], or 0 when there is none (overlong forms,
// surrogates and values past U+10FFFF included).
size_t Utf8Length(std::string_view s) {
    auto b = static_cast<unsigned char>(s[0]);
    size_t n = b < 0x80 ? 1 : b < 0xC2 ? 0 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : b < 0xF5 ? 4 : 0;
    if (n == 0 || n > s.size()) return 0;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0;
    auto b1 = static_cast<unsigned char>(s[1 % n]);
    if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 >= 0xA0) || (b == 0xF0 && b1 < 0x90) ||
        (b == 0xF4 && b1 >= 0x90))
        return 0;
    return n;
}

// Converts one whole unit; empty on failure.
std::string ConvertUnit(void* cd, std::string_view in) {
    auto handle = static_cast<iconv_t>(cd);
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out;
    size_t dstLeft = sizeof out;
    if (iconv(handle, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0)
        return {};
    if (iconv(handle, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) return {};
    return std::string(out, dst);
}

} // namespace

CodePageConverter::CodePageConverter(CodePage page)
    : page_(page), toPage_(OpenIconv(IconvName(page), "UTF-8")),
      fromPage_(OpenIconv("UTF-8", IconvName(page))), cache_(0x10000, kUnknown) {}

CodePageConverter::~CodePageConverter() {
    iconv_close(static_cast<iconv_t>(toPage_));
    iconv_close(static_cast<iconv_t>(fromPage_));
}

// The code of one UTF-8 character (lead << 8 | trail for two bytes), or kNoCode. Each
// character of the Basic Multilingual Plane asks iconv once; texts use a few thousand.
uint32_t CodePageConverter::CodeOf(std::string_view unit) const {
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(unit[i])); };
    if (unit.size() == 1) return b(0); // ASCII is the same in every one of these code pages
    const uint32_t point = unit.size() == 2 ? (b(0) & 0x1F) << 6 | (b(1) & 0x3F)
                           : unit.size() == 3 ? (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F)
                                              : 0x10000;
    if (page_ == CodePage::Unicode) return point < 0x10000 ? point : kNoCode; // its own code unit
    if (point < cache_.size() && cache_[point] != kUnknown) return cache_[point];
    std::string code = ConvertUnit(toPage_, unit);
    uint32_t found = code.size() == 1   ? static_cast<unsigned char>(code[0])
                     : code.size() == 2 ? static_cast<unsigned char>(code[0]) << 8 | static_cast<unsigned char>(code[1])
                                        : kNoCode;
    if (point < cache_.size()) cache_[point] = found;
    return found;
}

bool CodePageConverter::Shown(uint32_t code) const {
    if (code == kNoCode) return false;
    if (shown_.empty() || code < 0x20 || code == 0x7F) return true;
    return code < shown_.size() && shown_[code];
}

template <typename Put>
int CodePageConverter::EachCode(std::string_view utf8, Put put, int* spelled) const {
    int misses = 0;
    while (!utf8.empty()) {
        const size_t n = static_cast<unsigned char>(utf8[0]) < 0x80 ? 1 : Utf8Length(utf8);
        const uint32_t code = n ? CodeOf(utf8.substr(0, n)) : kNoCode;
        if (Shown(code)) {
            put(code);
        } else if (n > 1 && SpellOut(utf8.substr(0, n), put)) {
            if (spelled) ++*spelled;
        } else {
            put(uint32_t{'?'});
            ++misses;
        }
        utf8.remove_prefix(n == 0 ? 1 : n);
    }
    return misses;
}

// A character the font lacks, put in another spelling whose every character it has.
template <typename Put> bool CodePageConverter::SpellOut(std::string_view character, Put put) const {
    for (const std::string& other : {CompatibleForm(character), LatinSpelling(character)}) {
        if (other.empty()) continue;
        std::vector<uint32_t> codes;
        std::string_view rest = other;
        while (!rest.empty()) {
            const size_t n = static_cast<unsigned char>(rest[0]) < 0x80 ? 1 : Utf8Length(rest);
            const uint32_t code = n ? CodeOf(rest.substr(0, n)) : kNoCode;
            if (!Shown(code)) break;
            codes.push_back(code);
            rest.remove_prefix(n);
        }
        if (!rest.empty() || codes.empty()) continue;
        for (uint32_t code : codes) put(code);
        return true;
    }
    return false;
}

std::vector<std::string> CodePageConverter::EncodeChars(std::string_view utf8,
                                                        int* replaced) const {
    std::vector<std::string> codes;
    int misses = EachCode(
        utf8,
        [&](uint32_t code) {
            codes.push_back(page_ == CodePage::Unicode
                                ? std::string{static_cast<char>(code & 0xFF), static_cast<char>(code >> 8)}
                            : code < 0x100 ? std::string(1, static_cast<char>(code))
                                           : std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
        },
        nullptr);
    if (replaced) *replaced = misses;
    return codes;
}

std::string CodePageConverter::Encode(std::string_view utf8, int* replaced, int* spelled) const {
    std::string out;
    out.reserve(utf8.size());
    int misses = EachCode(
        utf8,
        [&](uint32_t code) {
            if (page_ == CodePage::Unicode) { // every unit two bytes, low first
                out += static_cast<char>(code & 0xFF);
                out += static_cast<char>(code >> 8);
                return;
            }
            if (code >= 0x100) out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        },
        spelled);
    if (replaced) *replaced = misses;
    return out;
}

namespace {

// Runs iconv over the whole input; where it stops at a byte sequence it cannot convert,
// `onFault` puts a stand-in into its string and says how many input bytes to step over.
template <typename OnFault>
std::string ConvertAll(void* cd, std::string_view in, size_t startRoom, OnFault onFault) {
    auto handle = static_cast<iconv_t>(cd);
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    std::string out(startRoom + 16, '\0');
    size_t used = 0;
    std::string standIn;
    while (!in.empty()) {
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = out.data() + used;
        size_t dstLeft = out.size() - used;
        size_t done = iconv(handle, &src, &srcLeft, &dst, &dstLeft);
        int fault = errno;
        used = static_cast<size_t>(dst - out.data());
        in.remove_prefix(in.size() - srcLeft);
        if (done != static_cast<size_t>(-1)) break;
        if (fault == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        standIn.clear();
        in.remove_prefix(std::min(in.size(), onFault(in, standIn)));
        // Room grows by doubling, so texts with many faults stay linear.
        while (out.size() < used + standIn.size() + 16) out.resize(out.size() * 2);
        out.replace(used, standIn.size(), standIn);
        used += standIn.size();
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

} // namespace

std::string CodePageConverter::DecodeChar(std::string_view code) const {
    if (code.size() == 1 && static_cast<unsigned char>(code[0]) < 0x80) return std::string(code);
    std::string text = ConvertUnit(fromPage_, code);
    return text.empty() ? "?" : text;
}

std::string DecodeToUtf8(std::string_view bytes, const char* charset) {
    std::unique_ptr<void, int (*)(iconv_t)> cd(OpenIconv("UTF-8", charset), iconv_close);
    return ConvertAll(cd.get(), bytes, bytes.size() + bytes.size() / 2,
                      [](std::string_view, std::string& o) {
                          o.append({'\xEF', '\xBF', '\xBD'});
                          return size_t{1};
                      });
}

std::optional<std::string> DecodeStrict(std::string_view bytes, const char* charset) {
    std::unique_ptr<void, int (*)(iconv_t)> cd(OpenIconv("UTF-8", charset), iconv_close);
    bool clean = true;
    std::string text = ConvertAll(cd.get(), bytes, bytes.size() * 2, [&](std::string_view, std::string&) {
        clean = false;
        return size_t{1};
    });
    // iconv stops quietly before an incomplete sequence at the end.
    if (!clean || !IsValidUtf8(text)) return std::nullopt;
    return text;
}

bool CharsetKnown(const char* charset) {
    iconv_t cd = iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return true;
}

std::string ReplaceInvalidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        size_t n = Utf8Length(bytes);
        if (n == 0) {
            out.append({'\xEF', '\xBF', '\xBD'});
            n = 1;
        } else {
            out.append(bytes.substr(0, n));
        }
        bytes.remove_prefix(n);
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        size_t n = Utf8Length(bytes);
        if (n == 0) return false;
        bytes.remove_prefix(n);
    }
    return true;
}

} // namespace lb
