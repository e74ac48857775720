#pragma once

#include <string>
#include <vector>

namespace lb {

// One document of a book's reading order that has text: its path in the book, and the label
// its table of contents gives it, else its first heading (empty when it has neither).
struct EpubChapter {
    std::string member;
    std::string name;
};

// An EPUB book as the menu takes it: its title (the package document's dc:title, empty when
// it has none) and the documents of its spine that have any text, in reading order.
struct EpubBook {
    std::string title;
    std::vector<EpubChapter> chapters;
};

// Reads the book's container, package document and table of contents (the EPUB 3 navigation
// document, else the EPUB 2 NCX). Throws lb::Error naming the book and the cause: no
// readable package document, a reading order that names members the book does not hold,
// chapters encrypted (DRM), or the archive limits passed.
EpubBook ReadEpub(const std::string& path);

// The same, kept for the book as it is on disk now: adding a menu list reads each chapter's
// name from its book, and a book is read once for all of them.
EpubBook CachedEpub(const std::string& path);

} // namespace lb
