#pragma once

#include "common/CodePage.h"
#include "items/ItemData.h"
#include "items/PageText.h"

#include <vector>

namespace lb {

// A web page as a plain-text record: its visible text in the font's code page, filled with
// blanks like a text file. A page without text gives a record of length 0. `replaced`
// receives how many characters the code page lacks (each stored as "?").
ItemData EncodeWebPage(const std::vector<uint8_t>& page, const CodePageConverter& codes,
                       int* replaced = nullptr);

class FontText;
// The same in the script the font draws (FontText); `script` receives the OpenCC
// conversion made, if any.
ItemData EncodeWebPage(const std::vector<uint8_t>& page, const FontText& font, int* replaced,
                       const char** script, PageRule rule = PageRule::Whole);

} // namespace lb
