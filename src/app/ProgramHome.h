#pragma once

#include "app/SettingsFile.h"
#include "skins/SkinRoots.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace lb {

// What the program takes from the user's session: the folders of the XDG base directories
// and the locale.
struct UserEnvironment {
    std::string home;       // $HOME
    std::string configHome; // $XDG_CONFIG_HOME, may be empty
    std::string dataHome;   // $XDG_DATA_HOME, may be empty
    std::string locale;     // the first set of $LC_ALL, $LC_MESSAGES and $LANG

    static UserEnvironment FromProcess();
};

// Where the program's data lies and where the user's own files go. Portable: the settings
// file and the default ROM beside the program, as on the original platform. Otherwise (an
// installation, or a folder the user cannot write to): the settings file in the user's
// configuration folder, the ROM in the home folder, and the user's own skins and back
// pictures listed beside the bundled ones.
struct ProgramHome {
    std::filesystem::path data; // holds "Bin", "Skins", "Back" and "help.html"
    std::filesystem::path settingsFile;
    std::filesystem::path defaultRom;
    SkinRoots skins;
    bool portable = true;
    uint8_t firstLanguage = 0; // the interface language while there is no settings file
    uint8_t firstFont = 0;     // the font while there is no settings file
};

// The home for the data in `data`, portable or per-user as asked.
ProgramHome HomeFor(const std::filesystem::path& data, bool portable, const UserEnvironment& user);

// The home of a program folder named by the user (the command line's --home): portable when
// the folder is writable.
ProgramHome HomeAt(const std::filesystem::path& folder, const UserEnvironment& user);

// The home of the program run from `executableFolder`: its data beside it (a build or an
// unpacked folder), portable when that folder is writable; else an installation's data in
// ../share/lumenbrook, per-user.
ProgramHome FindProgramHome(const std::filesystem::path& executableFolder,
                            const UserEnvironment& user);

// 0 (Chinese) for a "zh" locale, 1 (English) for any other.
uint8_t LanguageForLocale(const std::string& locale);
// The font a locale's texts are likeliest written for: Big5 12 x 12 for Taiwan, Hong Kong and
// Macao, GB2312 for the other Chinese locales, and for any other the Unicode font, which has
// every script.
uint8_t FontForLocale(const std::string& locale);

// The settings file's choices; with no settings file, the defaults in the locale's language.
Settings ReadStoredSettings(const ProgramHome& home);

} // namespace lb
