// A PDF with text as a book: the text of its pages in reading order, joined into paragraphs,
// a chapter at each entry of the first level of its outline.
#include "common/Error.h"
#include "items/DocumentReaders.h"
#include "items/EntrySource.h"
#include "items/Paragraphs.h"
#include "items/PhotoReader.h"

#include <algorithm>

namespace lb {

namespace {

bool Blank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f';
    });
}

// Pages' text as paragraphs of HTML: the lines joined by the rules of hard-wrapped texts (a
// short line ends its paragraph), a page's end a line's end.
std::string ParagraphsHtml(const std::string& text) {
    std::string joined = JoinParagraphs(text, ParagraphRule::Auto);
    // Too few lines to find their width by: a PDF's lines are wrapped by its layout all the
    // same, so they are joined up to its blank lines.
    if (joined == text) joined = JoinParagraphs(text, ParagraphRule::Lines);
    std::string html;
    size_t at = 0;
    while (at < joined.size()) {
        size_t end = joined.find('\n', at);
        if (end == std::string::npos) end = joined.size();
        const std::string line = joined.substr(at, end - at);
        if (!Blank(line)) html += "<p>" + EscapeHtml(line) + "</p>\n";
        at = end + 1;
    }
    return html;
}

} // namespace

bool PdfHasText(const std::string& path) {
    // A page number or a short caption on a scanned page is no text to read.
    constexpr size_t kWords = 20;
    const int pages = ReadPdfDocument(path).pages;
    for (int k = 0; k < pages && k < kMaxPdfPages; ++k) {
        const std::string text = PdfPageText(path, k);
        if (size_t(std::count_if(text.begin(), text.end(), [](char c) {
                return c != ' ' && c != '\n' && c != '\r' && c != '\t';
            })) >= kWords)
            return true;
    }
    return false;
}

DocumentBook ReadPdfText(const std::string& path) {
    const PdfDocument pdf = ReadPdfDocument(path);
    if (pdf.pages > kMaxPdfPages) throw Error(TooManyPdfPages(pdf.pages));
    std::vector<PdfOutlineEntry> outline = PdfOutline(path);
    std::stable_sort(outline.begin(), outline.end(),
                     [](const auto& a, const auto& b) { return a.page < b.page; });
    ChapterCollector chapters;
    size_t next = 0;
    std::string text;
    auto flush = [&] {
        chapters.Add(ParagraphsHtml(text));
        text.clear();
    };
    for (int k = 0; k < pdf.pages; ++k) {
        for (; next < outline.size() && outline[next].page <= k; ++next) {
            flush();
            chapters.Start(outline[next].title);
            chapters.Add("<h1>" + EscapeHtml(outline[next].title) + "</h1>\n");
        }
        std::string page = PdfPageText(path, k);
        std::replace(page.begin(), page.end(), '\f', '\n');
        text += page;
        if (!text.empty() && text.back() != '\n') text += '\n';
    }
    flush();
    return chapters.Finish(pdf.title);
}

} // namespace lb
