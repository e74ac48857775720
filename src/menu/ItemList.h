#pragma once

#include "assembly/BuildRequest.h"
#include "items/PageText.h"
#include "items/PictureOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lb {

struct MenuEntry {
    std::string path; // exactly as chosen or read from a menu list file
    std::string name; // display name; a leading "@" or "#" makes a category heading
    int64_t estimate = 0; // what adding it put on TotalSize
    bool page = false;    // a page of the folder, archive or PDF whose heading it follows
};

// The menu: entries in menu order and the running size estimate.
class ItemList {
public:
    explicit ItemList(int font = 0) { Reset(font); }

    // Empties the menu and sets TotalSize to its start value for `font`.
    void Reset(int font);

    std::vector<MenuEntry> entries;
    int64_t TotalSize = 0;
    int font = 0; // as Reset set it: names made for entries are in a language it draws
    // How pictures will be fitted and web pages read; the estimates of those added follow.
    PictureOptions pictures;
    PageRule pageText = PageRule::Whole;

    // " 437KB": kilobytes rounded down plus one, in the number-to-text form.
    std::string SizeLabel() const;

    std::vector<BuildEntry> ForBuild() const;
};

// 119392 plus the font's skin region offset.
int64_t EmptyMenuSize(int font);
std::string SizeLabelText(int64_t totalSize);

} // namespace lb
