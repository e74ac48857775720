#pragma once

#include "items/ItemData.h"
#include "items/TextSource.h"

#include <string_view>
#include <vector>

namespace lb {

class FontText;

// A text's bytes unchanged, filled with blanks to a multiple of 4. An empty text gives a
// record of length 0. Throws lb::Error when the length does not fit the 32-bit field.
ItemData EncodeText(std::vector<uint8_t> bytes, uint8_t type, bool units16 = false);

// What the build did with one text file.
struct TextReading {
    TextSource source;
    const char* script = nullptr; // the OpenCC conversion made, if any
    int replaced = 0;             // characters stored as "?", past those that did not decode
    int spelled = 0;              // characters the font lacks put in another spelling it has
    size_t headings = 0;          // chapter headings found, kept up to kMaxChapters
};

// How many bytes a text file's record holds in the Unicode font, read as EncodeTextFile reads
// it with the automatic choices: two a character, blanks joining wrapped lines aside.
int64_t UnicodeTextBytes(std::string_view bytes);

// A text file as a record: stored unchanged, or read in its source encoding and put into the
// font's code page (DecideTextSource says which).
ItemData EncodeTextFile(std::vector<uint8_t> bytes, uint8_t type, const FontText& font,
                        const TextOptions& options, TextReading* reading);

} // namespace lb
