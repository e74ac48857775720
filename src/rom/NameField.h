#pragma once

#include "common/CodePage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lb {

bool IsHeading(const std::string& displayName);

// A display name as a fixed-width menu field: the mark ("\" for "@", "!" for "#", else a
// blank in front), each character's code, spaces up to `width`; a double-byte character is
// never split. `replaced` counts characters the code page lacks (written as "?").
std::vector<uint8_t> NameField(const std::string& displayName, size_t width,
                               const CodePageConverter& codes, int* replaced = nullptr);

// The reverse, for reading a ROM: the mark byte and the name in UTF-8, trailing blanks gone.
struct DecodedName {
    uint8_t mark = 0;
    std::string name;
};
DecodedName ReadNameField(const uint8_t* field, size_t width, const CodePageConverter& codes);

} // namespace lb
