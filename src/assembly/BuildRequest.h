#pragma once

#include "items/PictureOptions.h"
#include "items/TextSource.h"
#include "rom/MenuTables.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lb {

struct BuildEntry {
    std::string path;
    std::string name; // display name, UTF-8
    bool page = false; // a page of a folder, archive or PDF: its margins trimmed by default
};

// Everything one build reads, taken as a copy so the menu can change while it runs.
struct BuildRequest {
    std::filesystem::path programFolder; // holds "Bin"
    std::vector<BuildEntry> entries;
    int font = 0;           // a row of the font table
    uint8_t language = 0;   // 0 Chinese, other values English
    std::string titlePath;
    std::string menuPath;
    std::string backPath;
    MenuLayout layout;      // from ParseMenuLayout or a skin's Skin.ini
    int corner = 0;         // 0..3
    std::string outputPath;
    TextOptions text;        // how texts are read and fitted to the font
    PictureOptions pictures; // how pictures are fitted to the screen, and their colours
    // An image past the cartridge's address space fails the build instead of warning.
    bool strictSize = false;
    // The handheld moves right to left: Left is "next" (manga).
    bool rightToLeft = false;
};

} // namespace lb
