#include "app/DialogTexts.h"

#include "common/UserTexts.h"

#include <vector>

namespace lb {

namespace {

FileDialogText Dialog(UserText title, UserText filter, uint8_t LanguageFlag) {
    return {Say(title, LanguageFlag), Say(filter, LanguageFlag)};
}

} // namespace

FileDialogText AddFilesDialog(uint8_t LanguageFlag) {
    return Dialog(UserText::AddFilesTitle, UserText::AddFilesFilter, LanguageFlag);
}
FileDialogText CategoryDialog(uint8_t LanguageFlag) {
    return Dialog(UserText::CategoryTitle, UserText::CategoryFilter, LanguageFlag);
}
FileDialogText SaveMenuDialog(uint8_t LanguageFlag) {
    return Dialog(UserText::SaveMenuTitle, UserText::MenuListFilter, LanguageFlag);
}
FileDialogText OpenMenuDialog(uint8_t LanguageFlag) {
    return Dialog(UserText::OpenMenuTitle, UserText::MenuListFilter, LanguageFlag);
}
FileDialogText RomDialog(uint8_t LanguageFlag) {
    return Dialog(UserText::RomTitle, UserText::RomFilter, LanguageFlag);
}
FileDialogText ScreenshotDialog(uint8_t LanguageFlag) {
    return Dialog(UserText::ScreenshotTitle, UserText::ScreenshotFilter, LanguageFlag);
}
FileDialogText FlashProgramDialog(uint8_t LanguageFlag) {
    return Dialog(UserText::FlashProgramTitle, UserText::FlashProgramFilter, LanguageFlag);
}
const char* RenameTitle(uint8_t LanguageFlag) {
    return Say(UserText::RenameTitle, LanguageFlag);
}

namespace {

std::vector<std::string> Split(const std::string& text, char at) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == at)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string AnyCase(const std::string& pattern) {
    std::string out;
    for (char c : pattern) {
        char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (lower != upper)
            out += std::string("[") + upper + lower + "]";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string QtFilter(const std::string& filter) {
    std::vector<std::string> parts = Split(filter, '|');
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (const auto& pattern : Split(parts[i + 1], ';'))
            patterns += (patterns.empty() ? "" : " ") + AnyCase(pattern);
        out += (out.empty() ? "" : ";;") + parts[i] + " (" + patterns + ")";
    }
    return out;
}

} // namespace lb
