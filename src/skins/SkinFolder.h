#pragma once

#include "rom/MenuTables.h"
#include "skins/SkinRoots.h"

#include <filesystem>
#include <string>

namespace lb {

// The three skin pictures the build reads, found in the skin folders whatever their letter
// case on disk.
struct SkinPaths {
    std::string TitlePath;
    std::string MenuPath;
    std::string BackPath;
    std::string layoutPath; // the skin's "Skin.ini"
};

SkinPaths SkinPathsFor(const SkinRoots& roots, const std::string& SkinName,
                       const std::string& BackName);

// X, Y and Count from a skin's layout file: three whole numbers 0..255, one per line or
// separated by blanks or commas. Throws lb::Error naming the file and the cause.
MenuLayout ReadSkinIni(const std::string& path);
MenuLayout ParseSkinIni(const std::string& text);

} // namespace lb
