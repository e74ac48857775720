#include "items/ItemKind.h"

namespace lb {

std::string KindKey(const std::string& path) {
    std::string key = path.size() > 4 ? path.substr(path.size() - 4) : path;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

ItemKind KindForMenu(const std::string& path) {
    std::string key = KindKey(path);
    if (key == ".bmp") return ItemKind::Picture;
    if (key == ".txt") return ItemKind::Text;
    if (key == ".lkb") return ItemKind::LkbText;
    if (key == ".htm" || key == "html") return ItemKind::WebPage;
    if (key == ".lkm") return ItemKind::MenuList;
    return ItemKind::Unknown;
}

ItemKind KindForBuild(const std::string& path) {
    std::string key = KindKey(path);
    if (key == ".txt") return ItemKind::Text;
    if (key == ".lkb") return ItemKind::LkbText;
    if (key == ".htm" || key == "html") return ItemKind::WebPage;
    return ItemKind::Picture;
}

} // namespace lb
