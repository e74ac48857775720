#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace lb {

// The character set a web page's bytes are written in, as iconv names it.
struct PageCharset {
    std::string name;     // "UTF-8", "UTF-16LE", "CP950", ...
    size_t bomLength = 0; // bytes of byte-order mark to drop before decoding
};

// A byte-order mark wins, then an XML declaration's encoding at the start (XHTML), then a
// <meta charset> or http-equiv content type in the first 1024 bytes, then UTF-8 when the
// bytes are valid UTF-8, else `fallback`.
PageCharset DetectPageCharset(std::string_view page, CodePage fallback);

// iconv's name for an HTML charset label ("big5", "gb2312", "x-sjis" ...), empty when the
// label names no character set this platform converts.
std::string CharsetForLabel(std::string_view label);

// The page's bytes as UTF-8; bytes its character set has no character for become U+FFFD.
std::string PageToUtf8(std::string_view page, CodePage fallback);

} // namespace lb
