#pragma once

#include <string>

namespace lb {

// What an entry is read as. Picture is a ".bmp"; Photo a JPEG, PNG, GIF, WebP or TIFF picture.
enum class ItemKind { Picture, Photo, Text, LkbText, WebPage, MenuList, Unknown };

// For adding to a menu: ".bmp" and the photo endings count as pictures.
ItemKind KindForMenu(const std::string& path);

// For the build: every ending that is not a text, a web page or a photo is taken as a bitmap.
ItemKind KindForBuild(const std::string& path);

} // namespace lb
