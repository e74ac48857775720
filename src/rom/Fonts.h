#pragma once

#include "common/Files.h"
#include "format/FontTable.h"

#include <filesystem>

namespace lb {

inline constexpr int kFontCount = LB_FONT_COUNT;
inline constexpr int kLastFont = kFontCount - 1;

inline bool FontExists(int index) {
    return index >= 0 && index < kFontCount;
}

// The font table's row; a number past the table reads as its last font, as on the handheld.
inline const lb_font& Font(int index) {
    return *lb_font_at(index < 0 ? LB_FONT_COUNT : static_cast<unsigned>(index));
}

// Where a font's base image lies in a program folder, whatever the letter case on disk.
inline std::filesystem::path BaseImagePath(const std::filesystem::path& programFolder, int font) {
    return ResolveNoCase(ResolveNoCase(programFolder, "Bin"), Font(font).base_image);
}

} // namespace lb
