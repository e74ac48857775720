#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lb {

// The folders that hold "Skins" and "Back": the user's own first, where a skin or back
// picture of the same name wins, then the program's bundled ones.
struct SkinRoots {
    SkinRoots(std::filesystem::path bundled) : folders{std::move(bundled)} {}
    SkinRoots(std::filesystem::path user, std::filesystem::path bundled)
        : folders{std::move(user), std::move(bundled)} {}

    const std::filesystem::path& Bundled() const { return folders.back(); }

    // `name` (letter case ignored) under `kind` ("Skins" or "Back") of the first folder
    // that has it; else where the bundled folder would have it, so that a message names it.
    std::filesystem::path Find(const char* kind, const std::string& name) const;

    std::vector<std::filesystem::path> folders; // the first wins
};

} // namespace lb
