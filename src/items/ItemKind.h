#pragma once

#include <string>

namespace lb {

// What a path's last four characters, in lower case, make of it.
// Picture is a ".bmp"; Photo a JPEG, PNG, GIF, WebP or TIFF picture.
enum class ItemKind { Picture, Photo, Text, LkbText, WebPage, MenuList, Unknown };

std::string KindKey(const std::string& path);

// The ending of a photo's name (".jpg", ".jpeg", ".png", ".gif", ".webp", ".tif", ".tiff", in
// any letter case), or 0 when it has none of them: its length.
size_t PhotoEndingLength(const std::string& path);

// For adding to a menu: ".bmp" and the photo endings count as pictures.
ItemKind KindForMenu(const std::string& path);

// For the build: every ending that is not a text, a web page or a photo is taken as a bitmap.
ItemKind KindForBuild(const std::string& path);

} // namespace lb
