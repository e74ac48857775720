#pragma once

#include "app/BuildChoices.h"
#include "app/ProgramHome.h"
#include "app/SettingsFile.h"
#include "menu/ItemList.h"
#include "skins/SkinChoice.h"

#include <filesystem>
#include <string>

namespace lb {

// What the main window shows and edits for one program home: the stored settings, the menu
// and the chosen skin. Tests and tools reach the program's state through it.
class Workspace {
  public:
    explicit Workspace(ProgramHome home);

    const ProgramHome& Home() const { return home_; }
    const std::filesystem::path& ProgramFolder() const { return home_.data; }
    const std::filesystem::path& SettingsPath() const { return home_.settingsFile; }
    const std::filesystem::path& DefaultRomPath() const { return home_.defaultRom; }

    // Takes the settings file's choices, or the defaults when it is malformed; without one,
    // the defaults in the locale's language.
    void ReadSettings();
    // Stores the choices with the skin in use and the flashing program as the window holds
    // them, making the settings file's folder when it is missing; throws lb::Error naming
    // the file and the cause.
    void WriteSettings(bool flash, const std::string& flashProgram) const;

    // Empties the menu for the chosen font.
    void ClearMenu() {
        menu.Reset(settings.FontIndex);
        MenuKept();
    }
    // The menu as it stands was just opened, saved or cleared.
    void MenuKept();
    // Whether the menu differs from what it was when last opened, saved or cleared, and
    // holds something: ending the program would lose it.
    bool MenuWouldBeLost() const;

    // The settings' choices with the skin the window shows.
    BuildChoices Choices() const;
    // A build of the menu as it stands from the window's choices, its skin's files as shown.
    BuildRequest RequestFor(const BuildChoices& choices, const std::string& outputPath) const;

    Settings settings; // language and font; the skin's names live in `skins`
    ItemList menu;
    SkinSelection skins;

  private:
    ProgramHome home_;
    std::vector<MenuEntry> kept_;
};

} // namespace lb
