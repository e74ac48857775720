#pragma once

// Books that are documents rather than EPUB packages: FictionBook (".fb2", ".fb2.zip"), Word
// (".docx"), OpenDocument text (".odt") and Markdown (".md", ".markdown"). Each is read whole
// into chapters of HTML, which the build reads as it reads an EPUB's chapters.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lb {

struct DocumentChapter {
    std::string name; // its heading; empty when it has none
    std::string html; // a page of its own, UTF-8
};

struct DocumentBook {
    std::string title; // its metadata's; empty when it has none
    std::vector<DocumentChapter> chapters;
};

// Collects a document's text as it is read: a chapter starts at each top-level heading; the
// text before the first is a chapter without a name. Chapters without text are left out; a
// document with no heading is one chapter named by its title.
class ChapterCollector {
  public:
    void Start(const std::string& name);
    void Add(std::string_view html);
    DocumentBook Finish(std::string title);

  private:
    std::vector<DocumentChapter> chapters_;
    bool headed_ = false;
};

// "<" as "&lt;" and so on, for text put into HTML.
std::string EscapeHtml(std::string_view text);

// A ".fb2", ".fb2.zip", ".docx", ".odt", ".md" or ".markdown" regular file.
bool IsDocumentBook(const std::string& path);

// Whether any page of a PDF has text (20 characters or more besides blanks): such a PDF is a
// book, one without is pages of pictures.
bool PdfHasText(const std::string& path);

// A chapter's entry is the document's path + "/" + its number from 1; a PDF's, the PDF's path
// + "/chapter " + its number (the PDF's path + "/" + a number is a page).
struct DocumentPart {
    std::string document;
    int index = 0; // from 0
};
std::optional<DocumentPart> DocumentPartOf(const std::string& path);
std::string DocumentPartPath(const std::string& document, int index);

// Reads it by its ending (a ".pdf" for its text). Throws lb::Error naming the file and the
// cause.
DocumentBook ReadDocumentBook(const std::string& path);
// The same, kept while the file is unchanged: its chapters are read one by one.
std::shared_ptr<const DocumentBook> CachedDocumentBook(const std::string& path);
// A chapter's page; throws lb::Error when the document has no such chapter.
std::vector<uint8_t> DocumentChapterBytes(const DocumentPart& part);

} // namespace lb
