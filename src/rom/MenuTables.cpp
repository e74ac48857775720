#include "rom/MenuTables.h"

#include "common/Error.h"
#include "format/RomLayout.h"
#include "rom/NameField.h"

#include <cmath>
#include <regex>

namespace lb {

namespace {

void PutU16(std::vector<uint8_t>& out, size_t at, unsigned v) {
    out[at] = static_cast<uint8_t>(v / 256 & 255);
    out[at + 1] = static_cast<uint8_t>(v & 255);
}

} // namespace

uint8_t LayoutByte(const std::string& text, const std::string& box) {
    static const std::regex number(R"(\s*[+-]?(\d+(\.\d*)?|\.\d+)\s*)");
    if (!std::regex_match(text, number))
        throw Error("the menu layout's " + box + " box holds \"" + text + "\", which is not a number");
    double rounded = 1e9;
    try {
        rounded = std::nearbyint(std::stod(text)); // ties go to the even neighbour
    } catch (const std::out_of_range&) {
    }
    if (rounded < 0 || rounded > 255)
        throw Error("the menu layout's " + box + " box holds " + text +
                    ", which is outside 0..255");
    return static_cast<uint8_t>(rounded);
}

MenuLayout ParseMenuLayout(const std::string& x, const std::string& y, const std::string& count) {
    return {LayoutByte(x, "X"), LayoutByte(y, "Y"), LayoutByte(count, "Count")};
}

MenuLayout ParseMenuLayout(const std::string& joined) {
    std::vector<std::string> boxes(1);
    for (char c : joined) {
        if (c == ',')
            boxes.emplace_back();
        else
            boxes.back() += c;
    }
    if (boxes.size() != 3) throw Error("takes X,Y,COUNT");
    return ParseMenuLayout(boxes[0], boxes[1], boxes[2]);
}

size_t CheckMenuCounts(const std::vector<std::string>& names) {
    size_t headings = 0;
    for (auto& name : names) headings += IsHeading(name);
    if (headings > LB_MAX_CATEGORIES)
        throw Error("the menu has " + std::to_string(headings) +
                    " headings; the handheld's menu holds at most 255");
    if (names.size() > LB_MAX_ENTRIES)
        throw Error("the menu has " + std::to_string(names.size()) +
                    " entries; the handheld's menu holds at most 65535");
    return headings;
}

std::vector<uint8_t> MenuTables(const std::vector<std::string>& names, MenuLayout layout,
                                uint8_t corner, const CodePageConverter& codes,
                                std::vector<int>* replacedPerEntry) {
    const size_t headings = CheckMenuCounts(names);

    std::vector<uint8_t> out(LB_MENU_HEADER_BYTES, 0);
    out.reserve(LB_MENU_HEADER_BYTES + headings * LB_CATEGORY_RECORD_BYTES +
                names.size() * LB_ENTRY_NAME_BYTES);
    out[LB_MENU_CATEGORY_COUNT] = static_cast<uint8_t>(headings);
    PutU16(out, LB_MENU_ENTRY_COUNT, static_cast<unsigned>(names.size()));
    out[LB_MENU_LAYOUT_X] = layout.x;
    out[LB_MENU_LAYOUT_Y] = layout.y;
    out[LB_MENU_LAYOUT_COUNT] = layout.count;
    out[LB_MENU_CORNER] = corner;

    for (size_t i = 0; i < names.size(); ++i) {
        if (!IsHeading(names[i])) continue;
        size_t span = 1;
        while (i + span < names.size() && !IsHeading(names[i + span])) ++span;
        size_t at = out.size();
        out.resize(at + LB_CATEGORY_NAME);
        PutU16(out, at + LB_CATEGORY_FIRST, static_cast<unsigned>(i + 1));
        PutU16(out, at + LB_CATEGORY_SPAN, static_cast<unsigned>(span));
        auto field = NameField(names[i], LB_CATEGORY_NAME_BYTES, codes);
        out.insert(out.end(), field.begin(), field.end());
    }
    if (replacedPerEntry) replacedPerEntry->assign(names.size(), 0);
    for (size_t i = 0; i < names.size(); ++i) {
        auto field = NameField(names[i], LB_ENTRY_NAME_BYTES, codes,
                               replacedPerEntry ? &(*replacedPerEntry)[i] : nullptr);
        out.insert(out.end(), field.begin(), field.end());
    }
    return out;
}

} // namespace lb
