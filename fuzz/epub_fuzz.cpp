// EPUB books: the container, package document, tables of contents and chapters of a book
// given as the archive's bytes.
#include "FuzzCheck.h"
#include "common/CodePage.h"
#include "common/Error.h"
#include "items/EpubBook.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader takes a path: the bytes go to a file of this process's own.
    static const std::string path =
        "/tmp/lumenbrook-epub-fuzz-" + std::to_string(getpid()) + ".epub";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    try {
        lb::EpubBook book = lb::ReadEpub(path);
        FUZZ_CHECK(lb::IsValidUtf8(book.title));
        for (const lb::EpubChapter& c : book.chapters) {
            FUZZ_CHECK(!c.member.empty());
            FUZZ_CHECK(lb::IsValidUtf8(c.name));
        }
    } catch (const lb::Error&) {
    }
    std::remove(path.c_str());
    return 0;
}
