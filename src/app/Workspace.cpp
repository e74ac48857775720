#include "app/Workspace.h"

#include "common/ProgramNames.h"

namespace lb {

Workspace::Workspace(std::filesystem::path programFolder)
    : skins(programFolder), programFolder_(std::move(programFolder)) {}

std::filesystem::path Workspace::SettingsPath() const {
    return programFolder_ / kSettingsFileName;
}

std::filesystem::path Workspace::DefaultRomPath() const {
    return programFolder_ / kDefaultRomName;
}

void Workspace::ReadSettings() {
    settings = ReadSettingsFile(SettingsPath().string()).settings;
    skins.SkinName = settings.SkinName;
    skins.BackName = settings.BackName;
}

void Workspace::WriteSettings(bool flash, const std::string& flashProgram) const {
    Settings out = settings;
    out.SkinName = skins.SkinName;
    out.BackName = skins.BackName;
    out.flash = flash;
    out.flashProgram = flashProgram;
    WriteSettingsFile(SettingsPath().string(), out);
}

BuildRequest Workspace::RequestFor(MenuLayout layout, int corner,
                                   const std::string& outputPath) const {
    BuildRequest request;
    request.programFolder = programFolder_;
    request.entries = menu.ForBuild();
    request.font = settings.FontIndex;
    request.language = settings.LanguageFlag;
    request.titlePath = skins.TitlePath;
    request.menuPath = skins.MenuPath;
    request.backPath = skins.BackPath;
    request.layout = layout;
    request.corner = corner;
    request.outputPath = outputPath;
    return request;
}

} // namespace lb
