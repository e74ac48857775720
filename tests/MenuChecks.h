#pragma once

// What tests of books, comics and PDFs do with a menu: its names, a build of it, a record's
// text, and the menu a menu list of its paths opens again.
#include "BuildFolder.h"
#include "TestFiles.h"
#include "format/RomLayout.h"
#include "menu/AddFile.h"
#include "menu/MenuListFile.h"
#include "rom/RomReader.h"

#include <string>
#include <vector>

namespace lbtest {

inline std::vector<std::string> Names(const lb::ItemList& menu) {
    std::vector<std::string> names;
    for (const lb::MenuEntry& e : menu.entries) names.push_back(e.name);
    return names;
}

// The image built in `f` from the menu, with its picture options.
inline std::vector<uint8_t> BuildMenu(Folder& f, const lb::ItemList& menu,
                                      bool rightToLeft = false) {
    f.request.entries = menu.ForBuild();
    f.request.pictures = menu.pictures;
    f.request.rightToLeft = rightToLeft;
    Recorder progress;
    lb::Conver(f.request, progress);
    return ReadBytes(f.request.outputPath);
}

inline std::string RecordText(const std::vector<uint8_t>& image, const lb::RecordInfo& r) {
    const auto at = image.begin() + std::ptrdiff_t(r.offset + LB_RECORD_HEADER_BYTES);
    return std::string(at, at + std::ptrdiff_t(r.dataSize));
}

// The menu a menu list of this menu's paths, written in `folder`, opens; `skipped` the count
// of lines it skipped.
inline lb::ItemList Reopened(const lb::ItemList& menu, const std::filesystem::path& folder,
                             size_t* skipped) {
    std::vector<std::string> paths;
    for (const lb::MenuEntry& e : menu.entries) paths.push_back(e.path);
    const std::string list = (folder / "reopened.lkm").string();
    lb::WriteMenuList(list, paths);
    lb::ItemList again(menu.font);
    again.pictures = menu.pictures;
    *skipped = lb::OpenMenu(again, list, menu.font).size();
    return again;
}

} // namespace lbtest
