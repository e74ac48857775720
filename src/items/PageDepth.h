#pragma once

#include <cstddef>
#include <string_view>

namespace lb {

// The deepest nesting of elements a page may have. The HTML parser frees its tree by
// recursion, which a million nested elements overflow, and takes time that grows with the
// square of the depth; no page people read nests anywhere near this.
inline constexpr size_t kMaxPageDepth = 10000;

// Whether the page's elements could nest deeper than `limit`: start tags counted against end
// tags, leaving out comments, the raw text of script, style and the like, void elements and
// the elements whose end tag may be left out (p, li, td, ...), so that an ordinary page never
// counts deep. Linear in the page's length.
bool NestsDeeperThan(std::string_view html, size_t limit);

} // namespace lb
