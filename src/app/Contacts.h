#pragma once

// Who makes the program and where to find it, as the About box and the help command show.
namespace lb {

inline constexpr const char* kMakerName = "The Lumenbrook project";
inline constexpr const char* kMakerMail = "lumenbrook@example.org";
inline constexpr const char* kFirstWebAddress = "https://lumenbrook.example.org/";
inline constexpr const char* kSecondWebAddress = "https://lumenbrook.example.org/skins/";
// The help page ships in the program folder.
inline constexpr const char* kHelpPage = "help.html";

} // namespace lb
