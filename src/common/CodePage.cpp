#include "common/CodePage.h"

#include "common/Error.h"

#include <cerrno>
#include <iconv.h>

namespace lb {

CodePage CodePageForFont(int font) {
    switch (font) {
    case 0:
    case 1: return CodePage::Big5;
    case 2: return CodePage::Gbk;
    default: return CodePage::Western;
    }
}

const char* IconvName(CodePage page) {
    switch (page) {
    case CodePage::Big5: return "CP950";
    case CodePage::Gbk: return "CP936";
    default: return "CP1252";
    }
}

namespace {

iconv_t OpenIconv(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Error(std::string("the code page conversion ") + from + " to " + to +
                    " is not available on this system");
    return cd;
}

// Length of the UTF-8 sequence at s[0], or 0 when it is not a valid one.
size_t Utf8Length(std::string_view s) {
    auto b = static_cast<unsigned char>(s[0]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || n > s.size()) return 0;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0;
    if (n == 2 && b < 0xC2) return 0; // overlong
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
        if (code.empty()) {
            code = "?";
            ++misses;
        }
        codes.push_back(std::move(code));
        utf8.remove_prefix(n == 0 ? 1 : n);
    }
    if (replaced) *replaced = misses;
    return codes;
}

std::string CodePageConverter::Encode(std::string_view utf8, int* replaced) const {
    std::string out;
    for (auto& code : EncodeChars(utf8, replaced)) out += code;
    return out;
}

std::string CodePageConverter::DecodeChar(std::string_view code) const {
    if (code.size() == 1 && static_cast<unsigned char>(code[0]) < 0x80) return std::string(code);
    std::string text = ConvertUnit(fromPage_, code);
    return text.empty() ? "?" : text;
}

} // namespace lb
