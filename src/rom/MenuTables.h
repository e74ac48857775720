#pragma once

#include "common/CodePage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lb {

struct MenuLayout {
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t count = 0;
    bool operator==(const MenuLayout&) const = default;
};

// A layout box's text as a byte: a decimal number rounded to a whole one (a half to the
// even neighbour), 0..255. Throws lb::Error naming `box` otherwise.
uint8_t LayoutByte(const std::string& text, const std::string& box);

// The three layout boxes' texts (the window's or the command line's) as the header's bytes.
MenuLayout ParseMenuLayout(const std::string& x, const std::string& y, const std::string& count);
// The same from "X,Y,COUNT", the three texts joined by commas; throws lb::Error otherwise.
MenuLayout ParseMenuLayout(const std::string& joined);

// Refuses a menu whose counts the header cannot hold: more than 255 headings or 65,535
// entries would be written wrapped and misread by the viewer. Throws lb::Error saying so.
// Returns the number of headings.
size_t CheckMenuCounts(const std::vector<std::string>& names);

// The menu header, category table and entry name table for these display names.
std::vector<uint8_t> MenuTables(const std::vector<std::string>& names, MenuLayout layout,
                                uint8_t corner, const CodePageConverter& codes,
                                std::vector<int>* replacedPerEntry = nullptr);

} // namespace lb
