#include "menu/MenuListFile.h"

#include "common/Files.h"

namespace lb {

std::string FormatMenuList(const std::vector<std::string>& paths) {
    std::string text;
    for (auto& p : paths) text += p + "\r\n";
    return text;
}

void WriteMenuList(const std::string& file, const std::vector<std::string>& paths) {
    ReplaceFileContents(file, FormatMenuList(paths));
}

std::vector<std::string> ParseMenuList(std::string_view text, const fs::path& folder) {
    std::vector<std::string> lines = SplitLines(text);
    for (auto& line : lines)
        if (!line.empty() && line[0] != '/' && !folder.empty()) line = (folder / line).string();
    return lines;
}

std::vector<std::string> ReadMenuList(const std::string& file) {
    auto bytes = ReadWholeFile(file);
    return ParseMenuList(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                         fs::path(file).parent_path());
}

} // namespace lb
