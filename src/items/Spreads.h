#pragma once

#include "items/PictureOptions.h"

#include <string>
#include <vector>

namespace lb {

// A container's entries with its double-page spreads split in two or turned by `rule`: a page
// wider than tall among pages most of which are taller than wide. Each page's size is read
// from its header (a PDF page's from the PDF); one that cannot be read stays as it is.
std::vector<std::string> WithSpreads(const std::vector<std::string>& paths, SpreadRule rule);

} // namespace lb
