#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lb {

// The most chapter headings a text keeps; past them the build notes it.
inline constexpr size_t kMaxChapters = 10000;

// Where the chapter headings of a text start in its stored bytes: the lines of `utf8` that
// stand alone (the text's start or a blank line before them) and read as a heading ("Chapter
// 12", "CHAPTER XII", "Part Two", "Prologue", "Epilogue", "# Title", "第十二章", "第12章",
// "第一百二十回", "卷三", "序章", "楔子", "番外"), found at the same line of `stored`, which
// holds the same lines in the font's code page (`units16`: in the Unicode font's 16-bit units).
// Fewer than 3 give none; past kMaxChapters the rest are left out, `found` telling how many
// there were.
std::vector<uint32_t> ChapterStarts(std::string_view utf8, std::string_view stored,
                                    size_t* found = nullptr, bool units16 = false);

} // namespace lb
