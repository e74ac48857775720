#include "items/ArchiveNames.h"

#include "common/CodePage.h"

#include <cstdint>
#include <locale.h>
#include <string_view>

namespace lb {

namespace {

locale_t Utf8Locale() {
    static const locale_t utf8 = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
            if (locale_t l = newlocale(LC_CTYPE_MASK, name, locale_t(0))) return l;
        return locale_t(0);
    }();
    return utf8;
}

// How one code page lays out its characters, and which of them names mostly use.
struct NameCodePage {
    const char* charset;
    bool (*lead)(uint8_t);            // starts a two-byte character
    bool (*common)(uint8_t, uint8_t); // a two-byte character names often hold
    bool (*commonSingle)(uint8_t);    // the same for a single byte past 0x7F
};

const NameCodePage kNameCodePages[] = {
    {"GB18030", [](uint8_t b) { return b >= 0x81 && b <= 0xFE; },
     [](uint8_t l, uint8_t t) { return l >= 0xB0 && l <= 0xF7 && t >= 0xA1; }, // GB2312's hanzi
     [](uint8_t) { return false; }},
    {"CP932", [](uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); },
     [](uint8_t l, uint8_t) {
         return l == 0x82 || l == 0x83 || (l >= 0x88 && l <= 0x9F);
     },                              // kana, kanji
     [](uint8_t) { return false; }}, // half-width katakana: rare in names
    {"CP950", [](uint8_t b) { return b >= 0xA1 && b <= 0xF9; },
     [](uint8_t l, uint8_t) { return l >= 0xA4 && l <= 0xC6; }, // the common hanzi
     [](uint8_t) { return false; }},
    {"CP437", [](uint8_t) { return false; }, [](uint8_t, uint8_t) { return false; },
     [](uint8_t b) { return b <= 0xA5 || b == 0xE1; }}, // accented letters, ß
};

// The share of the characters past ASCII that `page` counts common; -1 when the bytes are
// not text in it.
double CommonShare(std::string_view bytes, const NameCodePage& page) {
    if (!DecodeStrict(bytes, page.charset)) return -1;
    int all = 0, common = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t b = uint8_t(bytes[i]);
        if (b < 0x80) continue;
        ++all;
        if (page.lead(b) && i + 1 < bytes.size()) {
            common += page.common(b, uint8_t(bytes[++i]));
        } else {
            common += page.commonSingle(b);
        }
    }
    return all ? double(common) / all : 0;
}

} // namespace

Utf8NameLocale::Utf8NameLocale() : previous_(Utf8Locale() ? uselocale(Utf8Locale()) : nullptr) {}

Utf8NameLocale::~Utf8NameLocale() {
    if (previous_) uselocale(locale_t(previous_));
}

std::string LegacyNameCharset(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += name + "\n";
    const NameCodePage* best = nullptr;
    double bestShare = -1;
    for (const NameCodePage& page : kNameCodePages) {
        const double share = CommonShare(joined, page);
        if (share > bestShare) {
            best = &page;
            bestShare = share;
        }
    }
    return bestShare >= 0 ? best->charset : "CP437";
}

} // namespace lb
