#pragma once

#include "common/CodePage.h"
#include "items/PageText.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lb {

// The length of the text record a web page or a book's chapter gives in a font of `page`,
// before the blanks that fill it to 4: its text by `rule`, each character past ASCII taking
// two bytes in a Chinese code page and one in Windows-1252 (where those it lacks become one
// "?"). Worked out once for the file as it is on disk (an archive member: for the archive as
// it is), since adding a folder of pages, re-estimating and clearing all ask again; `read`
// gives the page's bytes when it must be read.
int64_t PageRecordLength(const std::string& path, CodePage page, PageRule rule,
                         const std::function<std::vector<uint8_t>()>& read);

} // namespace lb
