#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace lb {

// Text for a terminal: every control character (a file name may hold ESC or BEL) shown as
// "\x1b" and the like, so that a name cannot move the cursor, ring the bell or retitle the
// window, and bytes that are no UTF-8 as U+FFFD.
inline std::string TerminalText(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    const std::string utf8 = IsValidUtf8(text) ? std::string(text) : ReplaceInvalidUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F)
            out += std::string("\\x") + hex[b >> 4] + hex[b & 15];
        else
            out += c;
    }
    return out;
}

} // namespace lb
