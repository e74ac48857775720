// Document books: FictionBook, Word, OpenDocument and Markdown files. The first byte chooses
// the format (0 .fb2, 1 .docx, 2 .odt, 3 .md, 4 .fb2.zip, by its value modulo 5); the rest is
// the file.
#include "FuzzCheck.h"
#include "common/CodePage.h"
#include "common/Error.h"
#include "items/DocumentBook.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const char* const kEndings[] = {".fb2", ".docx", ".odt", ".md", ".fb2.zip"};
    // The reader takes a path: the bytes go to a file of this process's own.
    const std::string path =
        "/tmp/lumenbrook-document-fuzz-" + std::to_string(getpid()) + kEndings[data[0] % 5];
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);
    try {
        const lb::DocumentBook book = lb::ReadDocumentBook(path);
        FUZZ_CHECK(lb::IsValidUtf8(book.title));
        FUZZ_CHECK(!book.chapters.empty());
        for (const lb::DocumentChapter& c : book.chapters) {
            FUZZ_CHECK(lb::IsValidUtf8(c.name));
            FUZZ_CHECK(c.html.rfind("<!DOCTYPE html>", 0) == 0);
        }
    } catch (const lb::Error&) {
    }
    std::remove(path.c_str());
    return 0;
}
