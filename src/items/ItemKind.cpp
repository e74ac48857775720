#include "items/ItemKind.h"

#include "items/EntrySource.h"
#include "items/FileEndings.h"

namespace lb {

ItemKind KindForMenu(const std::string& path) {
    if (IsBookMember(path)) return ItemKind::WebPage; // a book's chapter, whatever its ending
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
    case FileKind::ComicArchive: // added as a heading and its members, never as one entry
    case FileKind::Book:
        return ItemKind::Unknown;
    }
    return ItemKind::Unknown;
}

ItemKind KindForBuild(const std::string& path) {
    if (IsBookMember(path)) return ItemKind::WebPage;
    const FileEnding* row = EndingOf(path);
    if (!row) return ItemKind::Picture;
    switch (row->kind) {
    case FileKind::Text:
        return ItemKind::Text;
    case FileKind::LkbText:
        return ItemKind::LkbText;
    case FileKind::WebPage:
        return ItemKind::WebPage;
    case FileKind::Photo:
        return ItemKind::Photo;
    default:
        return ItemKind::Picture;
    }
}

} // namespace lb
