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

std::vector<std::string> ReadMenuList(const std::string& file) {
    auto bytes = ReadWholeFile(file);
    fs::path folder = fs::path(file).parent_path();
    std::vector<std::string> lines;
    std::string line;
    auto finish = [&] {
        if (!line.empty() && line[0] != '/' && !folder.empty()) line = (folder / line).string();
        lines.push_back(std::move(line));
        line.clear();
    };
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = static_cast<char>(bytes[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            finish();
        } else {
            line += c;
        }
    }
    if (!line.empty()) finish();
    return lines;
}

} // namespace lb
