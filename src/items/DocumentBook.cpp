#include "items/DocumentBook.h"

#include "common/AsciiCase.h"
#include "common/Error.h"
#include "common/Files.h"
#include "items/ArchivePass.h"
#include "items/DocumentReaders.h"
#include "items/EntrySource.h"
#include "items/FileEndings.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

namespace lb {

namespace {

bool HasText(const std::string& html) {
    bool inTag = false;
    for (const char c : html) {
        if (c == '<' || c == '>')
            inTag = c == '<';
        else if (!inTag && c != ' ' && c != '\n' && c != '\t' && c != '\r')
            return true;
    }
    return false;
}

bool EndsWith(const std::string& path, std::string_view ending) {
    return path.size() > ending.size() &&
           AsciiLower(path.substr(path.size() - ending.size())) == ending;
}

// The one ".fb2" inside a ".fb2.zip".
std::vector<uint8_t> ZippedFictionBook(const std::string& path) {
    ArchivePass pass(path);
    while (pass.Next())
        if (EndsWith(pass.Member(), ".fb2")) return pass.Read();
    throw Error("the archive holds no .fb2 book");
}

} // namespace

void ChapterCollector::Start(const std::string& name) {
    chapters_.push_back({name, {}});
    headed_ = true;
}

void ChapterCollector::Add(std::string_view html) {
    if (chapters_.empty()) chapters_.push_back({});
    chapters_.back().html += html;
}

DocumentBook ChapterCollector::Finish(std::string title) {
    DocumentBook book{std::move(title), {}};
    for (DocumentChapter& c : chapters_) {
        if (!HasText(c.html)) continue;
        c.html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>" + c.html +
                 "</body></html>";
        book.chapters.push_back(std::move(c));
    }
    if (!headed_ && book.chapters.size() == 1)
        book.chapters[0].name = book.title; // empty: the file's name
    return book;
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool IsDocumentBook(const std::string& path) {
    std::error_code ec;
    return EndsAs(path, FileKind::Document) && std::filesystem::is_regular_file(path, ec);
}

namespace {

constexpr std::string_view kPdfChapter = "chapter ";

} // namespace

std::optional<DocumentPart> DocumentPartOf(const std::string& path) {
    if (const auto part = NumberedPartOf(path); part && EndsAs(part->first, FileKind::Document))
        return DocumentPart{part->first, part->second};
    // "book.pdf/chapter 3"
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || path.compare(slash + 1, kPdfChapter.size(), kPdfChapter) != 0)
        return std::nullopt;
    const std::string numbered =
        path.substr(0, slash) + "/" + path.substr(slash + 1 + kPdfChapter.size());
    const auto part = NumberedPartOf(numbered);
    if (!part || !EndsAs(part->first, FileKind::Pdf)) return std::nullopt;
    return DocumentPart{part->first, part->second};
}

std::string DocumentPartPath(const std::string& document, int index) {
    const std::string number = std::to_string(index + 1);
    return document + "/" +
           (EndsAs(document, FileKind::Pdf) ? std::string(kPdfChapter) + number : number);
}

namespace {

DocumentBook ReadByEnding(const std::string& path) {
    if (EndsWith(path, ".fb2.zip")) return ReadFictionBook(ZippedFictionBook(path));
    if (EndsWith(path, ".fb2")) return ReadFictionBook(ReadWholeFile(path));
    if (EndsWith(path, ".docx")) return ReadWordDocument(path);
    if (EndsWith(path, ".odt")) return ReadOpenDocumentText(path);
    if (EndsWith(path, ".pdf")) return ReadPdfText(path);
    return ReadMarkdown(ReadWholeFile(path));
}

} // namespace

DocumentBook ReadDocumentBook(const std::string& path) {
    try {
        DocumentBook book = ReadByEnding(path);
        if (book.chapters.empty()) throw Error("the book has no text");
        return book;
    } catch (const Error& e) {
        const std::string cause = e.what();
        throw Error(cause.rfind(path + ": ", 0) == 0 ? cause : path + ": " + cause);
    }
}

std::shared_ptr<const DocumentBook> CachedDocumentBook(const std::string& path) {
    struct Kept {
        std::filesystem::file_time_type time;
        uintmax_t size;
        std::shared_ptr<const DocumentBook> book;
    };
    static std::mutex mutex;
    static std::map<std::string, Kept> kept;
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    const uintmax_t size = std::filesystem::file_size(path, ec);
    std::lock_guard lock(mutex);
    auto found = kept.find(path);
    if (found == kept.end() || found->second.time != time || found->second.size != size) {
        kept.clear(); // one book's text at a time
        found = kept.insert_or_assign(
                        path, Kept{time, size,
                                   std::make_shared<const DocumentBook>(ReadDocumentBook(path))})
                    .first;
    }
    return found->second.book;
}

std::vector<uint8_t> DocumentChapterBytes(const DocumentPart& part) {
    const auto kept = CachedDocumentBook(part.document);
    const DocumentBook& book = *kept;
    if (part.index < 0 || size_t(part.index) >= book.chapters.size())
        throw Error(DocumentPartPath(part.document, part.index) + ": the book has no chapter " +
                    std::to_string(part.index + 1));
    const std::string& html = book.chapters[size_t(part.index)].html;
    return {html.begin(), html.end()};
}

} // namespace lb
