#pragma once

#include "menu/ItemList.h"

#include <string>
#include <vector>

namespace lb {

// One path that AddFile looked at and did not add, with the reason.
struct SkippedFile {
    std::string path;
    std::string reason;
};

// The display name a path gets: the text after its last "/", less its ending.
std::string DisplayNameFor(const std::string& path);

// Appends the entry for `path` (or the entries of the menu list file at `path`) to the menu
// and adds their estimates to TotalSize. Returns what was skipped.
std::vector<SkippedFile> AddFile(ItemList& menu, const std::string& path);

} // namespace lb
