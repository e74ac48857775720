#pragma once

// The names the program gives its own things, each written once.
namespace lb {

#define LUMENBROOK_VERSION "v2.0"
inline constexpr const char* kVersion = LUMENBROOK_VERSION;
// The name and version as the windows, the About box and category files show them.
inline constexpr const char* kProgramTitle = "Lumenbrook " LUMENBROOK_VERSION;

inline constexpr const char* kDefaultSkinName = "Default";
inline constexpr const char* kDefaultBackName = "Default.Bmp";
// The output file's name in the program folder until the user picks another.
inline constexpr const char* kDefaultRomName = "Lumbro.Gba";
inline constexpr const char* kSettingsFileName = "Lumenbrook.ini";

} // namespace lb
