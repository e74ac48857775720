// Markdown: rendered to HTML by md4c (CommonMark with tables and strikethrough), a chapter at
// each top-level heading.
#include "common/CodePage.h"
#include "common/Error.h"
#include "items/DocumentReaders.h"
#include "items/TextSource.h"

#include <md4c-html.h>
#include <md4c.h>
#include <string_view>

namespace lb {

namespace {

// The text of a heading's HTML: tags left out, md4c's escapes read back.
std::string HeadingText(std::string_view html) {
    std::string out;
    bool inTag = false;
    for (size_t k = 0; k < html.size(); ++k) {
        const char c = html[k];
        if (c == '<' || c == '>') {
            inTag = c == '<';
            continue;
        }
        if (inTag) continue;
        if (c == '&') {
            const std::pair<const char*, char> escapes[] = {
                {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
            bool found = false;
            for (const auto& [name, ch] : escapes)
                if (html.substr(k, std::char_traits<char>::length(name)) == name) {
                    out += ch;
                    k += std::char_traits<char>::length(name) - 1;
                    found = true;
                    break;
                }
            if (found) continue;
        }
        out += c;
    }
    return out;
}

// A YAML block at the top ("---" lines around it), as pandoc and static site tools write:
// its "title:" is the book's title, and the block is no text of the book.
std::string_view FrontMatter(std::string_view text, std::string* title) {
    if (text.substr(0, 4) != "---\n" && text.substr(0, 5) != "---\r\n") return text;
    size_t at = text.find('\n') + 1;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == "---" || line == "...") return text.substr(std::min(end + 1, text.size()));
        if (line.substr(0, 6) == "title:") {
            std::string_view value = line.substr(6);
            while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
            while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            *title = std::string(value);
        }
        at = end + 1;
    }
    title->clear(); // no end to the block: it was no front matter
    return text;
}

// The text as UTF-8: a file in another encoding is read as a text file is, and one the
// detector cannot name as Windows-1252, so that every byte is some character.
std::string Utf8Text(std::span<const uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (IsValidUtf8(text)) return std::string(text);
    TextSource source = DecideTextSource(text, CodePage::Western, {});
    if (source.readAs.empty()) source.readAs = "CP1252";
    return ReadTextSource(text, source);
}

} // namespace

DocumentBook ReadMarkdown(std::span<const uint8_t> bytes) {
    if (bytes.size() > 0x7FFFFFFF) throw Error("the text is too long");
    std::string title;
    const std::string utf8 = Utf8Text(bytes);
    const std::string_view markdown = FrontMatter(utf8, &title);
    std::string html;
    const int failed = md_html(
        markdown.data(), MD_SIZE(markdown.size()),
        [](const MD_CHAR* text, MD_SIZE size, void* out) {
            static_cast<std::string*>(out)->append(text, size);
        },
        &html, MD_DIALECT_COMMONMARK | MD_FLAG_TABLES | MD_FLAG_STRIKETHROUGH | MD_FLAG_NOHTML, 0);
    if (failed) throw Error("md4c could not read it as Markdown");
    ChapterCollector chapters;
    // md4c writes each heading as "<h1>...</h1>" on a line of its own.
    size_t at = 0;
    while (at < html.size()) {
        const size_t heading = html.find("<h1>", at);
        chapters.Add(std::string_view(html).substr(
            at, (heading == std::string::npos ? html.size() : heading) - at));
        if (heading == std::string::npos) break;
        const size_t end = html.find("</h1>", heading);
        const size_t stop = end == std::string::npos ? html.size() : end + 5;
        chapters.Start(HeadingText(std::string_view(html).substr(
            heading + 4, (end == std::string::npos ? html.size() : end) - heading - 4)));
        chapters.Add(std::string_view(html).substr(heading, stop - heading));
        at = stop;
    }
    return chapters.Finish(title);
}

} // namespace lb
