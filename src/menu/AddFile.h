#pragma once

#include "menu/ItemList.h"

#include <optional>
#include <string>
#include <vector>

namespace lb {

class MemberShelf;

// One path that AddFile looked at and did not add, with the reason.
struct SkippedFile {
    std::string path;
    std::string reason;
    // A book or archive that cannot be read: an error a build stops for, as it does for a
    // broken picture, where other files are only left out.
    bool broken = false;
};

// The display name a path gets: the text after its last "/", less its ending.
std::string DisplayNameFor(const std::string& path);

// What a file adds to TotalSize apart from its name slot: by its length for the text
// kinds, by its bitmap info header for a ".bmp" kept as it is, and for a picture that is
// fitted (or made anew from another format) exactly the record the build writes, from its
// header and orientation. Nothing, with the reason, when the file cannot be read or is too
// short for a bitmap header, or a photo's header cannot be read.
// Archive members are read through `shelf` when one is given. A web page's or chapter's is
// its text's length in the menu's font, read by its rule (`pageText`; the main text for a
// chapter). A picture that is a `page` of a folder or archive has its margins trimmed by the
// menu's picture options.
std::optional<int64_t> FileEstimate(const std::string& path, const ItemList& menu,
                                    std::string* reason = nullptr, MemberShelf* shelf = nullptr,
                                    bool page = false);
// The same with these picture options, for a menu of the English font.
std::optional<int64_t> FileEstimate(const std::string& path, const PictureOptions& pictures = {});

// Appends the entry for `path` (or the entries of the menu list file at `path`) to the menu
// and adds their estimates to TotalSize. Returns what was skipped.
std::vector<SkippedFile> AddFile(ItemList& menu, const std::string& path);

// Appends a category heading named `name` that stands for no file (its record an empty text).
void AddHeading(ItemList& menu, const std::string& name);

// Estimates every entry anew (after the picture options changed), TotalSize with them.
void Reestimate(ItemList& menu);

// Makes `font` the menu's font: its start value and every entry's estimate follow it (a text
// in the Unicode font takes two bytes a character). Names already made stay as they are.
void ChangeFont(ItemList& menu, int font);

// Replaces the menu with the entries of a menu list file, TotalSize starting afresh for
// `font`; lines naming menu lists are skipped. The file is read first: when it cannot be,
// lb::Error names it and the menu stays as it was.
std::vector<SkippedFile> OpenMenu(ItemList& menu, const std::string& file, int font);

} // namespace lb
