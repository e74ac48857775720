#include "app/Workspace.h"

#include "common/ProgramNames.h"

#include <algorithm>

namespace lb {

Workspace::Workspace(ProgramHome home) : skins(home.skins), home_(std::move(home)) {}

void Workspace::MenuKept() {
    kept_ = menu.entries;
}

bool Workspace::MenuWouldBeLost() const {
    const auto same = [](const MenuEntry& a, const MenuEntry& b) {
        return a.path == b.path && a.name == b.name;
    };
    return !menu.entries.empty() &&
           !std::equal(menu.entries.begin(), menu.entries.end(), kept_.begin(), kept_.end(), same);
}

void Workspace::ReadSettings() {
    settings = ReadStoredSettings(home_);
    skins.SkinName = settings.SkinName;
    skins.BackName = settings.BackName;
}

void Workspace::WriteSettings(bool flash, const std::string& flashProgram) const {
    Settings out = settings;
    out.SkinName = skins.SkinName;
    out.BackName = skins.BackName;
    out.flash = flash;
    out.flashProgram = flashProgram;
    std::error_code ec;
    std::filesystem::create_directories(SettingsPath().parent_path(), ec);
    WriteSettingsFile(SettingsPath().string(), out); // names the cause when the folder is not there
}

BuildChoices Workspace::Choices() const {
    BuildChoices choices = ChoicesFrom(settings);
    choices.skin = skins.SkinName;
    choices.back = skins.BackName;
    return choices;
}

BuildRequest Workspace::RequestFor(const BuildChoices& choices,
                                   const std::string& outputPath) const {
    // The paths, not the names: a pick moves the path of each file that is there.
    const SkinPaths shown{skins.TitlePath, skins.MenuPath, skins.BackPath, {}};
    return lb::RequestFor(choices, home_.data, shown, menu.ForBuild(), outputPath);
}

} // namespace lb
