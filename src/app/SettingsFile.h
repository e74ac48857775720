#pragma once

#include "common/ProgramNames.h"

#include <cstdint>
#include <string>

namespace lb {

// The user's choices kept between runs in "Lumenbrook.ini" beside the program.
struct Settings {
    uint8_t LanguageFlag = 0; // 0 Chinese interface, other values English
    std::string SkinName = kDefaultSkinName;
    std::string BackName = kDefaultBackName;
    uint8_t FontIndex = 0;
    bool flash = false;       // run the flashing program after a build
    std::string flashProgram; // may be empty
};

struct SettingsRead {
    Settings settings;
    // False when the file was missing or malformed; the settings are then the defaults.
    bool valid = false;
    std::string problem;
};

SettingsRead ParseSettings(const std::string& text);
SettingsRead ReadSettingsFile(const std::string& path);

// Six lines, each ending CR LF; the numbers in the number-to-text form.
std::string FormatSettings(const Settings& settings);
// Replaces the file whole; throws lb::Error naming the file and the cause.
void WriteSettingsFile(const std::string& path, const Settings& settings);

} // namespace lb
