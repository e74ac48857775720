#include "items/TextSource.h"

#include "common/AsciiCase.h"
#include "common/Error.h"

#include <algorithm>
#include <uchardet.h>

namespace lb {

namespace {

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// Whether the detector's name is the font's own code page or a superset the font reads.
bool OwnFamily(const std::string& name, CodePage font) {
    switch (font) {
    case CodePage::Big5: return StartsWith(name, "BIG5") || name == "CP950";
    case CodePage::Gbk:
        return name == "GB2312" || name == "GBK" || name == "GB18030" || name == "CP936" ||
               name == "EUC-CN";
    default: return name == "WINDOWS-1252" || name == "ISO-8859-1" || name == "CP1252";
    }
}

// Chinese and Unicode encodings are the detector's answers worth more than the font's own
// code page: for a short text it often names another encoding (EUC-JP for a line of Big5,
// say) that the bytes also decode in.
bool ChineseOrUnicode(const std::string& name) {
    for (const char* prefix : {"UTF-", "UCS-", "BIG5", "GB", "EUC-CN", "EUC-TW", "HZ-", "CP950", "CP936"})
        if (StartsWith(name, prefix)) return true;
    return false;
}

std::string Detect(std::string_view bytes) {
    uchardet_t detector = uchardet_new();
    uchardet_handle_data(detector, bytes.data(), bytes.size());
    uchardet_data_end(detector);
    std::string name = AsciiUpper(uchardet_get_charset(detector));
    uchardet_delete(detector);
    return name;
}

bool DecodesIn(std::string_view bytes, const std::string& charset) {
    try {
        return DecodeStrict(bytes, charset.c_str()).has_value();
    } catch (const Error&) { // a name iconv does not know
        return false;
    }
}

} // namespace

bool TextOptions::NamesEncoding() const { return encoding != "auto" && encoding != "keep"; }

TextSource DecideTextSource(std::string_view bytes, CodePage font, const TextOptions& options) {
    TextSource source;
    const std::pair<std::string_view, const char*> marks[] = {
        {"\xEF\xBB\xBF", "UTF-8"}, {"\xFF\xFE", "UTF-16LE"}, {"\xFE\xFF", "UTF-16BE"}};
    if (options.encoding != "keep")
        for (auto [mark, name] : marks)
            if (bytes.substr(0, mark.size()) == mark) {
                source.readAs = name;
                source.markBytes = mark.size();
                return source;
            }
    if (options.encoding == "keep") return source;
    if (options.encoding != "auto") {
        source.readAs = options.encoding;
        return source;
    }
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return source;
    if (IsValidUtf8(bytes)) {
        source.readAs = "UTF-8";
        return source;
    }
    source.detected = Detect(bytes);
    std::string named = source.detected == "ISO-8859-1" ? "WINDOWS-1252" : source.detected;
    if (named.empty() || OwnFamily(source.detected, font)) {
        source.undecided = named.empty();
        return source;
    }
    if (!DecodesIn(bytes, named) ||
        (!ChineseOrUnicode(named) && DecodesIn(bytes, IconvName(font)))) {
        source.undecided = true;
        return source;
    }
    source.readAs = named;
    return source;
}

std::string ReadTextSource(std::string_view bytes, const TextSource& source) {
    bytes.remove_prefix(source.markBytes);
    if (source.readAs == "UTF-8") return IsValidUtf8(bytes) ? std::string(bytes) : ReplaceInvalidUtf8(bytes);
    return DecodeToUtf8(bytes, source.readAs.c_str());
}

} // namespace lb
