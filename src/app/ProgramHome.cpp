#include "app/ProgramHome.h"

#include "common/Files.h"
#include "common/ProgramNames.h"

#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lb {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// $XDG_..._HOME when it is an absolute path (the base directory rules ignore a relative
// one), else the fallback below the home folder.
fs::path BaseFolder(const std::string& variable, const fs::path& home, const char* fallback) {
    if (!variable.empty() && fs::path(variable).is_absolute()) return variable;
    return home / fallback;
}

bool Writable(const fs::path& folder) {
    return access(folder.c_str(), W_OK) == 0;
}

} // namespace

UserEnvironment UserEnvironment::FromProcess() {
    UserEnvironment user{
        Variable("HOME"), Variable("XDG_CONFIG_HOME"), Variable("XDG_DATA_HOME"), {}};
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (user.locale = Variable(name); !user.locale.empty()) break;
    return user;
}

ProgramHome HomeFor(const fs::path& data, bool portable, const UserEnvironment& user) {
    ProgramHome home{
        data,     data / kSettingsFileName,      data / kDefaultRomName, SkinRoots(data),
        portable, LanguageForLocale(user.locale), FontForLocale(user.locale)};
    if (portable) return home;
    std::error_code ec;
    const fs::path userHome = !user.home.empty() ? fs::path(user.home) : fs::current_path(ec);
    home.settingsFile =
        BaseFolder(user.configHome, userHome, ".config") / "lumenbrook" / kSettingsFileName;
    home.defaultRom = userHome / kDefaultRomName;
    home.skins =
        SkinRoots(BaseFolder(user.dataHome, userHome, ".local/share") / "lumenbrook", data);
    return home;
}

ProgramHome HomeAt(const fs::path& folder, const UserEnvironment& user) {
    return HomeFor(folder, Writable(folder), user);
}

ProgramHome FindProgramHome(const fs::path& executableFolder, const UserEnvironment& user) {
    std::error_code ec;
    if (fs::is_directory(executableFolder / "Bin", ec)) return HomeAt(executableFolder, user);
    const fs::path installed =
        (executableFolder / ".." / "share" / "lumenbrook").lexically_normal();
    if (fs::is_directory(installed, ec)) return HomeFor(installed, false, user);
    return HomeAt(executableFolder, user); // no data anywhere: the messages name this folder
}

uint8_t LanguageForLocale(const std::string& locale) {
    return locale.rfind("zh", 0) == 0 ? 0 : 1;
}

uint8_t FontForLocale(const std::string& locale) {
    if (locale.rfind("zh", 0) != 0) return 4; // the font with every script
    for (const char* traditional : {"zh_TW", "zh_HK", "zh_MO"})
        if (locale.rfind(traditional, 0) == 0) return 1;
    return 2;
}

Settings ReadStoredSettings(const ProgramHome& home) {
    std::error_code ec;
    if (!fs::exists(home.settingsFile, ec)) {
        Settings first;
        first.LanguageFlag = home.firstLanguage;
        first.FontIndex = home.firstFont;
        return first;
    }
    return ReadSettingsFile(home.settingsFile.string()).settings;
}

} // namespace lb
