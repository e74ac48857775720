#pragma once

// The readers behind ReadDocumentBook, one a format. Each throws lb::Error with the cause
// (without the file's name, which ReadDocumentBook puts in front).
#include "items/DocumentBook.h"

#include <span>

namespace lb {

DocumentBook ReadFictionBook(std::span<const uint8_t> fb2);
DocumentBook ReadWordDocument(const std::string& path);
DocumentBook ReadOpenDocumentText(const std::string& path);
DocumentBook ReadMarkdown(std::span<const uint8_t> markdown);
DocumentBook ReadPdfText(const std::string& path);

} // namespace lb
