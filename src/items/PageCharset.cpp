#include "items/PageCharset.h"

#include "common/AsciiCase.h"
#include <algorithm>
#include <iconv.h>
#include <optional>

namespace lb {

namespace {

constexpr size_t kPrescanBytes = 1024;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string Lower(std::string_view s) { return AsciiLower(s); }

bool StartsNoCase(std::string_view s, size_t at, std::string_view with) {
    return s.size() - at >= with.size() && Lower(s.substr(at, with.size())) == with;
}

// Reads the tag's attributes the way a browser's encoding prescan does; stops after '>'.
class AttributeReader {
  public:
    AttributeReader(std::string_view s, size_t at) : s_(s), at_(at) {}
    size_t Position() const { return at_; }

    // The next attribute as lower-cased name and raw value; nothing at the tag's end.
    std::optional<std::pair<std::string, std::string>> Next() {
        while (at_ < s_.size() && (IsSpace(s_[at_]) || s_[at_] == '/')) ++at_;
        if (at_ >= s_.size() || s_[at_] == '>') {
            if (at_ < s_.size()) ++at_;
            return std::nullopt;
        }
        size_t start = at_;
        while (at_ < s_.size() && s_[at_] != '=' && s_[at_] != '>' && s_[at_] != '/' &&
               !IsSpace(s_[at_]))
            ++at_;
        std::string name = Lower(s_.substr(start, at_ - start));
        SkipSpaces();
        if (at_ >= s_.size() || s_[at_] != '=') return std::pair{name, std::string()};
        ++at_;
        SkipSpaces();
        if (at_ >= s_.size()) return std::pair{name, std::string()};
        if (s_[at_] == '"' || s_[at_] == '\'') {
            char quote = s_[at_++];
            size_t end = s_.find(quote, at_);
            if (end == std::string_view::npos) end = s_.size();
            std::string value(s_.substr(at_, end - at_));
            at_ = std::min(end + 1, s_.size());
            return std::pair{name, value};
        }
        start = at_;
        while (at_ < s_.size() && s_[at_] != '>' && !IsSpace(s_[at_])) ++at_;
        return std::pair{name, std::string(s_.substr(start, at_ - start))};
    }

  private:
    void SkipSpaces() {
        while (at_ < s_.size() && IsSpace(s_[at_])) ++at_;
    }
    std::string_view s_;
    size_t at_;
};

// The charset a content type such as "text/html; charset=big5" names, if any.
std::string CharsetInContent(std::string_view content) {
    std::string lower = Lower(content);
    size_t at = 0;
    while ((at = lower.find("charset", at)) != std::string::npos) {
        at += 7;
        while (at < lower.size() && IsSpace(lower[at])) ++at;
        if (at >= lower.size() || lower[at] != '=') continue;
        ++at;
        while (at < lower.size() && IsSpace(lower[at])) ++at;
        if (at >= lower.size()) return {};
        if (lower[at] == '"' || lower[at] == '\'') {
            size_t end = lower.find(lower[at], at + 1);
            if (end == std::string::npos) return {};
            return lower.substr(at + 1, end - at - 1);
        }
        size_t end = at;
        while (end < lower.size() && !IsSpace(lower[end]) && lower[end] != ';') ++end;
        return lower.substr(at, end - at);
    }
    return {};
}

// The charset label one <meta> tag declares, empty when it declares none.
std::string MetaLabel(AttributeReader& attributes) {
    bool gotPragma = false, needPragma = false, haveCharset = false;
    std::string label;
    while (auto attribute = attributes.Next()) {
        auto& [name, value] = *attribute;
        if (name == "http-equiv" && Lower(value) == "content-type") gotPragma = true;
        if (name == "charset" && !haveCharset) {
            label = value;
            haveCharset = true;
            needPragma = false;
        } else if (name == "content" && !haveCharset) {
            label = CharsetInContent(value);
            haveCharset = !label.empty();
            needPragma = true;
        }
    }
    if (!haveCharset || (needPragma && !gotPragma)) return {};
    return label;
}

// The label the first declaring <meta> in the page's first 1024 bytes gives.
std::string PrescanLabel(std::string_view page) {
    std::string_view s = page.substr(0, std::min(page.size(), kPrescanBytes));
    size_t at = 0;
    while (at < s.size()) {
        if (s.compare(at, 4, "<!--") == 0) {
            size_t end = s.find("-->", at + 2);
            if (end == std::string_view::npos) return {};
            at = end + 3;
        } else if (StartsNoCase(s, at, "<meta") && at + 5 < s.size() &&
                   (IsSpace(s[at + 5]) || s[at + 5] == '/')) {
            AttributeReader attributes(s, at + 5);
            std::string label = MetaLabel(attributes);
            if (!CharsetForLabel(label).empty()) return label;
            at = attributes.Position();
        } else if (s[at] == '<' && at + 1 < s.size() &&
                   (IsLetter(s[at + 1]) ||
                    (s[at + 1] == '/' && at + 2 < s.size() && IsLetter(s[at + 2])))) {
            at += 2;
            while (at < s.size() && !IsSpace(s[at]) && s[at] != '>') ++at;
            AttributeReader attributes(s, at);
            while (attributes.Next()) {
            }
            at = attributes.Position();
        } else if (s[at] == '<' && at + 1 < s.size() &&
                   (s[at + 1] == '!' || s[at + 1] == '/' || s[at + 1] == '?')) {
            size_t end = s.find('>', at);
            if (end == std::string_view::npos) return {};
            at = end + 1;
        } else {
            ++at;
        }
    }
    return {};
}

bool IconvKnows(const std::string& name) {
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return true;
}

} // namespace

std::string CharsetForLabel(std::string_view label) {
    size_t first = 0, last = label.size();
    while (first < last && IsSpace(label[first])) ++first;
    while (last > first && IsSpace(label[last - 1])) --last;
    std::string name = Lower(label.substr(first, last - first));
    if (name.empty() || name.size() > 40) return {};
    for (char c : name)
        if (!(IsLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
              c == ':'))
            return {};

    // Labels browsers treat as one encoding; the Windows code pages are what such pages
    // were written with.
    static const std::pair<const char*, const char*> kKnown[] = {
        {"utf-8", "UTF-8"},
        {"utf8", "UTF-8"},
        {"unicode-1-1-utf-8", "UTF-8"},
        {"big5", "CP950"},
        {"cn-big5", "CP950"},
        {"csbig5", "CP950"},
        {"x-x-big5", "CP950"},
        {"cp950", "CP950"},
        {"big5-hkscs", "BIG5-HKSCS"},
        {"gb2312", "CP936"},
        {"gbk", "CP936"},
        {"x-gbk", "CP936"},
        {"chinese", "CP936"},
        {"csgb2312", "CP936"},
        {"gb_2312", "CP936"},
        {"gb_2312-80", "CP936"},
        {"iso-ir-58", "CP936"},
        {"csiso58gb231280", "CP936"},
        {"cp936", "CP936"},
        {"gb18030", "GB18030"},
        {"windows-1252", "CP1252"},
        {"iso-8859-1", "CP1252"},
        {"iso8859-1", "CP1252"},
        {"latin1", "CP1252"},
        {"l1", "CP1252"},
        {"us-ascii", "CP1252"},
        {"ascii", "CP1252"},
        {"cp1252", "CP1252"},
        {"x-cp1252", "CP1252"},
        {"x-user-defined", "CP1252"},
        // A page that says UTF-16 in its own bytes cannot be UTF-16.
        {"utf-16", "UTF-8"},
        {"utf-16le", "UTF-8"},
        {"utf-16be", "UTF-8"},
    };
    for (auto& [known, charset] : kKnown)
        if (name == known) return charset;
    return IconvKnows(name) ? name : std::string();
}

namespace {

// The encoding an XML declaration at the very start names ("<?xml version="1.0"
// encoding="big5"?>"), as XHTML documents (a book's chapters) declare theirs.
std::string XmlDeclarationLabel(std::string_view page) {
    if (page.substr(0, 5) != "<?xml") return {};
    const size_t end = page.find("?>");
    const std::string_view declaration = page.substr(0, std::min(end, kPrescanBytes));
    AttributeReader reader(declaration, 5);
    while (auto attribute = reader.Next())
        if (attribute->first == "encoding") return attribute->second;
    return {};
}

} // namespace

PageCharset DetectPageCharset(std::string_view page, CodePage fallback) {
    if (page.substr(0, 3) == "\xEF\xBB\xBF") return {"UTF-8", 3};
    if (page.substr(0, 2) == "\xFE\xFF") return {"UTF-16BE", 2};
    if (page.substr(0, 2) == "\xFF\xFE") return {"UTF-16LE", 2};
    if (std::string xml = CharsetForLabel(XmlDeclarationLabel(page)); !xml.empty()) return {xml, 0};
    std::string declared = CharsetForLabel(PrescanLabel(page));
    if (!declared.empty()) return {declared, 0};
    if (IsValidUtf8(page)) return {"UTF-8", 0};
    // A page in no declared 8-bit encoding is read, as browsers do, in Windows-1252 when the
    // font's own code page is 16-bit units.
    return {fallback == CodePage::Unicode ? "WINDOWS-1252" : IconvName(fallback), 0};
}

std::string PageToUtf8(std::string_view page, CodePage fallback) {
    PageCharset charset = DetectPageCharset(page, fallback);
    page.remove_prefix(charset.bomLength);
    if (charset.name == "UTF-8") return IsValidUtf8(page) ? std::string(page) : ReplaceInvalidUtf8(page);
    return DecodeToUtf8(page, charset.name.c_str());
}

} // namespace lb
