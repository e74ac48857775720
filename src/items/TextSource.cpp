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
    case CodePage::Unicode: return false; // no 8-bit text is stored as it is
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

// What to read a text the detector names in: the encoding's usual superset first, since its
// tools write that (Big5 texts hold CP950 pairs, GB2312 texts GBK characters).
std::vector<std::string> ReadingsOf(const std::string& detected) {
    if (StartsWith(detected, "BIG5")) return {"CP950", "BIG5-HKSCS"};
    if (detected == "GB2312" || detected == "GBK" || detected == "EUC-CN") return {"GB18030"};
    // Texts named ISO-8859 hold Windows' quotes and dashes in 0x80-0x9F, never C1 controls.
    if (detected == "ISO-8859-1") return {"WINDOWS-1252"};
    if (detected == "ISO-8859-7") return {"WINDOWS-1253"};
    if (detected == "ISO-8859-9") return {"WINDOWS-1254"};
    if (detected == "SHIFT_JIS") return {"CP932"};
    if (detected == "EUC-KR") return {"CP949"};
    return {detected};
}

// Bytes that do not decode in `charset`; -1 when iconv does not know it.
long UndecodableBytes(std::string_view bytes, const std::string& charset) {
    if (!CharsetKnown(charset.c_str())) return -1;
    const std::string text = DecodeToUtf8(bytes, charset.c_str());
    long bad = 0;
    for (size_t at = text.find("\xEF\xBF\xBD"); at != std::string::npos; at = text.find("\xEF\xBF\xBD", at + 3))
        ++bad;
    return bad;
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

namespace {

TextSource Decide(std::string_view bytes, CodePage font, const TextOptions& options) {
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
    if (source.detected.empty() || OwnFamily(source.detected, font)) {
        source.undecided = source.detected.empty();
        return source;
    }
    const std::vector<std::string> readings = ReadingsOf(source.detected);
    if (font != CodePage::Unicode && !ChineseOrUnicode(source.detected) && DecodesIn(bytes, IconvName(font))) {
        source.undecided = true;
        return source;
    }
    for (const std::string& charset : readings)
        if (DecodesIn(bytes, charset)) {
            source.readAs = charset;
            return source;
        }
    // A few stray bytes (a tool's slip, a cut in the middle of a character) do not make a
    // text unreadable: they become U+FFFD when at least 99 % of it decodes.
    const long bad = UndecodableBytes(bytes, readings.front());
    if (bad < 0 || uint64_t(bad) * 100 > bytes.size()) {
        source.undecided = true;
        return source;
    }
    source.readAs = readings.front();
    source.undecodable = int(bad);
    return source;
}

} // namespace

TextSource DecideTextSource(std::string_view bytes, CodePage font, const TextOptions& options) {
    TextSource source = Decide(bytes, font, options);
    // The Unicode font cannot store 8-bit bytes as they are: a text nobody can tell is read as
    // Windows-1252, where nearly every byte is a character, so nothing is lost unseen.
    if (font == CodePage::Unicode && source.undecided) {
        source.undecided = false;
        source.readAs = "WINDOWS-1252";
        source.undecodable = int(UndecodableBytes(bytes, source.readAs));
    }
    return source;
}

std::string ReadTextSource(std::string_view bytes, const TextSource& source) {
    bytes.remove_prefix(source.markBytes);
    if (source.readAs == "UTF-8") return IsValidUtf8(bytes) ? std::string(bytes) : ReplaceInvalidUtf8(bytes);
    return DecodeToUtf8(bytes, source.readAs.c_str());
}

} // namespace lb
