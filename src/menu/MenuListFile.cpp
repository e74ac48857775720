#include "menu/MenuListFile.h"

#include "common/Error.h"
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

namespace {

// A menu list is text: no NUL byte, and most lines free of control characters, in its
// first 4 KiB. Anything else (a picture, an archive) would give a skipped line per byte run.
bool LooksLikeText(std::string_view text) {
    text = text.substr(0, 4096);
    if (text.find('\0') != std::string_view::npos) return false;
    size_t lines = 0, odd = 0;
    for (const std::string& line : SplitLines(text)) {
        ++lines;
        for (char c : line)
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
                ++odd;
                break;
            }
    }
    return odd * 2 <= lines;
}

} // namespace

std::vector<std::string> ReadMenuList(const std::string& file) {
    auto bytes = ReadWholeFile(file);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!LooksLikeText(text))
        throw Error(file + ": not a menu list: it does not read as lines of text");
    return ParseMenuList(text, fs::path(file).parent_path());
}

} // namespace lb
