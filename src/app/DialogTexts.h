#pragma once

#include <cstdint>
#include <string>

namespace lb {

// A file dialog's title and its filter, as description|patterns pairs ("BMP|*.BMP").
struct FileDialogText {
    const char* title;
    const char* filter;
};

FileDialogText AddFilesDialog(uint8_t LanguageFlag);
FileDialogText CategoryDialog(uint8_t LanguageFlag);
FileDialogText SaveMenuDialog(uint8_t LanguageFlag);
FileDialogText OpenMenuDialog(uint8_t LanguageFlag);
FileDialogText RomDialog(uint8_t LanguageFlag);
FileDialogText FlashProgramDialog(uint8_t LanguageFlag);
FileDialogText ScreenshotDialog(uint8_t LanguageFlag);
const char* RenameTitle(uint8_t LanguageFlag);

// The filter in Qt's form: "description (patterns)" entries joined by ";;". Each pattern
// matches its ending in any letter case ("*.BMP" gives "*.[Bb][Mm][Pp]").
std::string QtFilter(const std::string& filter);

} // namespace lb
