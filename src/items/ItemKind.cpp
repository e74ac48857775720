#include "items/ItemKind.h"

#include "common/AsciiCase.h"
#include "items/EntrySource.h"

#include <cstring>

namespace lb {

std::string KindKey(const std::string& path) {
    return AsciiLower(path.size() > 4 ? path.substr(path.size() - 4) : path);
}

size_t PhotoEndingLength(const std::string& path) {
    for (const char* ending : {".jpg", ".jpeg", ".png", ".gif", ".webp", ".tif", ".tiff"}) {
        const size_t n = std::strlen(ending);
        if (path.size() > n && AsciiLower(path.substr(path.size() - n)) == ending) return n;
    }
    return 0;
}

ItemKind KindForMenu(const std::string& path) {
    if (IsBookMember(path)) return ItemKind::WebPage; // a book's chapter, whatever its ending
    std::string key = KindKey(path);
    if (key == ".bmp") return ItemKind::Picture;
    if (PhotoEndingLength(path)) return ItemKind::Photo;
    if (key == ".txt") return ItemKind::Text;
    if (key == ".lkb") return ItemKind::LkbText;
    if (key == ".htm" || key == "html") return ItemKind::WebPage;
    if (key == ".lkm") return ItemKind::MenuList;
    return ItemKind::Unknown;
}

ItemKind KindForBuild(const std::string& path) {
    if (IsBookMember(path)) return ItemKind::WebPage;
    std::string key = KindKey(path);
    if (key == ".txt") return ItemKind::Text;
    if (key == ".lkb") return ItemKind::LkbText;
    if (key == ".htm" || key == "html") return ItemKind::WebPage;
    if (PhotoEndingLength(path)) return ItemKind::Photo;
    return ItemKind::Picture;
}

} // namespace lb
