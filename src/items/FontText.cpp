#include "items/FontText.h"

namespace lb {

namespace {

const char* ConversionFor(CodePage page) {
    switch (page) {
    case CodePage::Big5: return "s2tw";
    case CodePage::Gbk: return "t2s";
    default: return nullptr;
    }
}

} // namespace

FontText::FontText(const CodePageConverter& codes, bool convertScript)
    : codes_(codes), config_(convertScript ? ConversionFor(codes.Page()) : nullptr) {}

FontText::~FontText() = default;

ScriptConverter& FontText::Converter() const {
    if (!converter_) converter_ = std::make_unique<ScriptConverter>(config_);
    return *converter_;
}

FontText::Fitted FontText::FitScript(const std::string& utf8) const {
    int before = 0;
    codes_.Encode(utf8, &before);
    if (!config_ || before == 0) return {utf8, nullptr};
    std::string converted = Converter().Convert(utf8);
    int after = 0;
    codes_.Encode(converted, &after);
    if (after < before) return {std::move(converted), config_};
    return {utf8, nullptr};
}

std::string FontText::Encode(const std::string& utf8, int* replaced, const char** script,
                             int* spelled) const {
    int misses = 0, otherwise = 0;
    std::string out = codes_.Encode(utf8, &misses, &otherwise);
    const char* used = nullptr;
    if (config_ && misses > 0) {
        int after = 0, spelledAfter = 0;
        std::string again = codes_.Encode(Converter().Convert(utf8), &after, &spelledAfter);
        if (after < misses) {
            out = std::move(again);
            misses = after;
            otherwise = spelledAfter;
            used = config_;
        }
    }
    if (replaced) *replaced = misses;
    if (spelled) *spelled = otherwise;
    if (script) *script = used;
    return out;
}

} // namespace lb
