#include "common/CodePage.h"

#include "common/Error.h"
#include "rom/FontTable.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace lb {

CodePage CodePageForFont(int font) {
    switch (lb_font_at(static_cast<unsigned>(font))->glyph_set) { // past the table: English
    case LB_GLYPHS_BIG5: return CodePage::Big5;
    case LB_GLYPHS_GB2312: return CodePage::Gbk;
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
      fromPage_(OpenIconv("UTF-8", IconvName(page))) {}

CodePageConverter::~CodePageConverter() {
    iconv_close(static_cast<iconv_t>(toPage_));
    iconv_close(static_cast<iconv_t>(fromPage_));
}

std::vector<std::string> CodePageConverter::EncodeChars(std::string_view utf8,
                                                        int* replaced) const {
    std::vector<std::string> codes;
    int misses = 0;
    while (!utf8.empty()) {
        size_t n = Utf8Length(utf8);
        std::string code;
        if (n == 1) {
            // ASCII is the same in every one of these code pages.
            code.assign(1, utf8[0]);
        } else if (n > 1) {
            code = ConvertUnit(toPage_, utf8.substr(0, n));
            if (code.size() > 2) code.clear();
        }
        if (code.empty() || !Shown(code.size() == 1 ? static_cast<unsigned char>(code[0])
                                                      : static_cast<unsigned char>(code[0]) << 8 |
                                                            static_cast<unsigned char>(code[1]))) {
            code.assign(1, '?');
            ++misses;
        }
        codes.push_back(std::move(code));
        utf8.remove_prefix(n == 0 ? 1 : n);
    }
    if (replaced) *replaced = misses;
    return codes;
}

namespace {

// Runs iconv over the whole input; where it stops at a byte sequence it cannot convert,
// `onFault` appends a stand-in and says how many input bytes to step over.
template <typename OnFault>
std::string ConvertAll(void* cd, std::string_view in, size_t startRoom, OnFault onFault) {
    auto handle = static_cast<iconv_t>(cd);
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    std::string out(startRoom + 16, '\0');
    size_t used = 0;
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
        out.resize(used);
        in.remove_prefix(std::min(in.size(), onFault(in, out)));
        used = out.size();
        out.resize(used + in.size() + 16);
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

} // namespace

std::string CodePageConverter::Encode(std::string_view utf8, int* replaced) const {
    int misses = 0;
    std::string out =
        ConvertAll(toPage_, utf8, utf8.size(), [&](std::string_view rest, std::string& o) {
            ++misses;
            o += '?';
            size_t n = Utf8Length(rest);
            return n == 0 ? size_t{1} : n;
        });
    if (!shown_.empty()) out = KeepShown(std::move(out), misses);
    if (replaced) *replaced = misses;
    return out;
}

bool CodePageConverter::Shown(unsigned code) const {
    if (shown_.empty() || code < 0x20 || code == 0x7F) return true;
    return code < shown_.size() && shown_[code];
}

std::string CodePageConverter::KeepShown(std::string page, int& misses) const {
    const bool doubleByte = page_ != CodePage::Western;
    size_t to = 0;
    for (size_t i = 0; i < page.size();) {
        auto b = static_cast<unsigned char>(page[i]);
        // Lead bytes of these code pages are 0x81..0xFE; what iconv wrote is well-formed.
        size_t n = doubleByte && b >= 0x81 && b <= 0xFE && i + 1 < page.size() ? 2 : 1;
        unsigned code = n == 1 ? b : b << 8 | static_cast<unsigned char>(page[i + 1]);
        if (Shown(code)) {
            for (size_t k = 0; k < n; ++k) page[to++] = page[i + k];
        } else {
            page[to++] = '?';
            ++misses;
        }
        i += n;
    }
    page.resize(to);
    return page;
}

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
