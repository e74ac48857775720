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
// The help page ships in the program folder.
inline constexpr const char* kHelpPage = "help.html";

// Who makes the program and where to find it, as the About box and category files show them.
inline constexpr const char* kMakerName = "The Lumenbrook project";
inline constexpr const char* kMakerMail = "lumenbrook@example.org";
inline constexpr const char* kFirstWebAddress = "https://lumenbrook.example.org/";
inline constexpr const char* kSecondWebAddress = "https://lumenbrook.example.org/skins/";

} // namespace lb
