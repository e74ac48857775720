#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lb {

// One entry of a file dialog's list of file types: its description and the patterns it
// shows ("*.BMP"), each meant to match its ending in any letter case.
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
    bool executables = false; // only the files that can be run
    bool operator==(const FileFilter&) const = default;
};

// A file dialog's title and its list of file types.
struct FileDialogText {
    const char* title;
    std::vector<FileFilter> filters;
};

FileDialogText AddFilesDialog(uint8_t LanguageFlag);
FileDialogText CategoryDialog(uint8_t LanguageFlag);
FileDialogText SaveMenuDialog(uint8_t LanguageFlag);
FileDialogText OpenMenuDialog(uint8_t LanguageFlag);
FileDialogText RomDialog(uint8_t LanguageFlag);
FileDialogText FlashProgramDialog(uint8_t LanguageFlag);
FileDialogText ScreenshotDialog(uint8_t LanguageFlag);
const char* RenameTitle(uint8_t LanguageFlag);

} // namespace lb
