#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lb {

// A menu list file: one path per line, each line ending CR LF when this program writes it.
std::string FormatMenuList(const std::vector<std::string>& paths);

// Writes it whole or not at all. Throws lb::Error naming the file and the cause.
void WriteMenuList(const std::string& file, const std::vector<std::string>& paths);

// The paths a list file's text holds, relative ones taken relative to `folder`.
std::vector<std::string> ParseMenuList(std::string_view text, const std::filesystem::path& folder);

// The paths it holds, in order; CR LF, LF and CR all end a line. A relative path is taken
// relative to the list file's own folder. Throws lb::Error when it cannot be read.
std::vector<std::string> ReadMenuList(const std::string& file);

} // namespace lb
