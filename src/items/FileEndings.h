#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lb {

// What a file of the menu is, by the ending of its name.
enum class FileKind { Bitmap, Photo, ComicArchive, Pdf, Book, Document, Text, LkbText, WebPage, MenuList };

struct FileEnding {
    const char* ending; // lower case, with its dot
    FileKind kind;
    // The name's last four characters decide, so "pagehtml" and "x.xhtml" are web pages too.
    bool dotOptional = false;
};

// Every ending the program reads, in the order the file dialogs list them.
std::span<const FileEnding> FileEndings();

// The row whose ending `path` has, in any letter case, after at least one other character;
// nullptr when it has none of them.
const FileEnding* EndingOf(std::string_view path);
bool EndsAs(std::string_view path, FileKind kind);
// The length of that ending with its dot, or 0.
size_t EndingLength(std::string_view path);

// The endings of these kinds as a file dialog's patterns ("*.BMP"), in the table's order.
std::vector<std::string> PatternsFor(std::initializer_list<FileKind> kinds);

} // namespace lb
