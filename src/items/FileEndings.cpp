#include "items/FileEndings.h"

#include "common/AsciiCase.h"

#include <algorithm>
#include <cstring>

namespace lb {

namespace {

constexpr FileEnding kEndings[] = {
    {".bmp", FileKind::Bitmap},         {".jpg", FileKind::Photo},
    {".jpeg", FileKind::Photo},         {".png", FileKind::Photo},
    {".gif", FileKind::Photo},          {".webp", FileKind::Photo},
    {".tif", FileKind::Photo},          {".tiff", FileKind::Photo},
    {".heic", FileKind::Photo},         {".heif", FileKind::Photo},
    {".avif", FileKind::Photo},         {".jxl", FileKind::Photo},
    {".fb2.zip", FileKind::Document},   {".cbz", FileKind::ComicArchive},
    {".zip", FileKind::ComicArchive},
    {".cbr", FileKind::ComicArchive},   {".rar", FileKind::ComicArchive},
    {".cb7", FileKind::ComicArchive},   {".7z", FileKind::ComicArchive},
    {".pdf", FileKind::Pdf},
    {".epub", FileKind::Book},          {".fb2", FileKind::Document},
    {".docx", FileKind::Document},      {".odt", FileKind::Document},
    {".md", FileKind::Document},        {".markdown", FileKind::Document},          {".txt", FileKind::Text},
    {".lkb", FileKind::LkbText},        {".htm", FileKind::WebPage},
    {".html", FileKind::WebPage, true}, {".lkm", FileKind::MenuList},
};

} // namespace

std::span<const FileEnding> FileEndings() {
    return kEndings;
}

const FileEnding* EndingOf(std::string_view path) {
    for (const FileEnding& row : kEndings) {
        const char* ending = row.dotOptional ? row.ending + 1 : row.ending;
        const size_t n = std::strlen(ending);
        if (path.size() > n && AsciiLower(path.substr(path.size() - n)) == ending) return &row;
    }
    return nullptr;
}

bool EndsAs(std::string_view path, FileKind kind) {
    const FileEnding* row = EndingOf(path);
    return row && row->kind == kind;
}

size_t EndingLength(std::string_view path) {
    const FileEnding* row = EndingOf(path);
    return row ? std::strlen(row->ending) : 0;
}

std::vector<std::string> PatternsFor(std::initializer_list<FileKind> kinds) {
    std::vector<std::string> patterns;
    for (const FileEnding& row : kEndings)
        if (std::find(kinds.begin(), kinds.end(), row.kind) != kinds.end())
            patterns.push_back("*" + AsciiUpper(row.ending));
    return patterns;
}

} // namespace lb
