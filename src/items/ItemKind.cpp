#include "items/ItemKind.h"

#include "items/EntrySource.h"
#include "items/FileEndings.h"
#include "items/PageShape.h"

namespace lb {

namespace {

// A file named for the menu; an archive or a book is added as a heading and its members,
// never as one entry.
ItemKind KindOfEnding(const std::string& path) {
    const FileEnding* row = EndingOf(path);
    if (!row) return ItemKind::Unknown;
    switch (row->kind) {
    case FileKind::Bitmap:
        return ItemKind::Picture;
    case FileKind::Photo:
        return ItemKind::Photo;
    case FileKind::Text:
        return ItemKind::Text;
    case FileKind::LkbText:
        return ItemKind::LkbText;
    case FileKind::WebPage:
        return ItemKind::WebPage;
    case FileKind::MenuList:
        return ItemKind::MenuList;
    case FileKind::ComicArchive:
    case FileKind::Pdf:
    case FileKind::Book:
    case FileKind::Document:
        break;
    }
    return ItemKind::Unknown;
}

} // namespace

ItemKind KindForMenu(const std::string& entry) {
    const std::string path = PageAddressOf(entry).page; // a part of a page is a picture
    if (PdfPageOf(path)) return ItemKind::Photo;
    if (IsBookMember(path)) return ItemKind::WebPage; // a book's chapter, whatever its ending
    return KindOfEnding(path);
}

ItemKind KindForBuild(const std::string& entry) {
    const std::string path = PageAddressOf(entry).page;
    if (PdfPageOf(path)) return ItemKind::Photo;
    if (IsBookMember(path)) return ItemKind::WebPage;
    const ItemKind kind = KindOfEnding(path);
    const bool read = kind == ItemKind::Photo || kind == ItemKind::Text ||
                      kind == ItemKind::LkbText || kind == ItemKind::WebPage;
    return read ? kind : ItemKind::Picture;
}

} // namespace lb
