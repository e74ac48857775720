#pragma once

#include <string>
#include <string_view>

namespace lb {

// Other spellings of one character (UTF-8) a font has no glyph for, best first: its
// compatibility form (NFKC: full-width "Ａ" as "A", "①" as "1"), then, for a character outside
// the East Asian scripts, its Latin spelling in ASCII (ICU's "Any-Latin; Latin-ASCII": "ę" as
// "e", "ł" as "l", "ß" as "ss", "“" as "\"", "—" as "-", "…" as "...", "Щ" as "Sc"). Empty
// where ICU has none.
std::string CompatibleForm(std::string_view character);
std::string LatinSpelling(std::string_view character);

} // namespace lb
