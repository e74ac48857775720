#include "items/PageDepth.h"

#include "common/AsciiCase.h"

#include <algorithm>
#include <string>

namespace lb {

namespace {

bool NameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// Elements that never hold others, or whose end tag the parser supplies by itself.
bool Counted(const std::string& tag) {
    static const char* const kNotCounted[] = {
        // void
        "area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param",
        "source", "track", "wbr",
        // end tag optional
        "html", "head", "body", "p", "li", "dt", "dd", "rb", "rt", "rtc", "rp", "optgroup",
        "option", "colgroup", "caption", "thead", "tbody", "tfoot", "tr", "td", "th"};
    return std::none_of(std::begin(kNotCounted), std::end(kNotCounted),
                        [&](const char* t) { return tag == t; });
}

// Elements whose content is text up to their own end tag.
bool RawText(const std::string& tag) {
    return tag == "script" || tag == "style" || tag == "textarea" || tag == "title" ||
           tag == "xmp" || tag == "iframe" || tag == "noembed" || tag == "noframes" ||
           tag == "plaintext";
}

} // namespace

bool NestsDeeperThan(std::string_view html, size_t limit) {
    size_t depth = 0;
    size_t at = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        if (html.substr(at, 4) == "<!--") {
            const size_t end = html.find("-->", at + 4);
            if (end == std::string_view::npos) break;
            at = end + 3;
            continue;
        }
        const bool closing = at + 1 < html.size() && html[at + 1] == '/';
        size_t i = at + 1 + closing;
        const size_t name = i;
        while (i < html.size() && NameChar(html[i])) ++i;
        const size_t close = html.find('>', i);
        if (i == name || close == std::string_view::npos) {
            at = i;
            continue;
        }
        const std::string tag = AsciiLower(html.substr(name, i - name));
        at = close + 1;
        if (!Counted(tag) || (!closing && html[close - 1] == '/')) continue;
        if (closing) {
            if (depth > 0) --depth;
            continue;
        }
        if (++depth > limit) return true;
        if (RawText(tag)) {
            // Its text may hold anything that looks like a tag; skip to its end tag.
            const std::string end = "</" + tag;
            size_t found = at;
            while ((found = html.find('<', found)) != std::string_view::npos &&
                   AsciiLower(html.substr(found, end.size())) != end)
                ++found;
            if (found == std::string_view::npos) break;
            at = found;
        }
    }
    return false;
}

} // namespace lb
