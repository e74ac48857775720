#pragma once

#include <string>

namespace lb {

// What a path's last four characters, in lower case, make of it.
enum class ItemKind { Picture, Text, LkbText, WebPage, MenuList, Unknown };

std::string KindKey(const std::string& path);

// For adding to a menu: only ".bmp" counts as a picture.
ItemKind KindForMenu(const std::string& path);

// For the build: every ending that is not a text or web page is taken as a bitmap.
ItemKind KindForBuild(const std::string& path);

} // namespace lb
