#pragma once

#include "common/ProgramNames.h"
#include "rom/Bitmap.h"
#include "rom/MenuTables.h"
#include "skins/SkinRoots.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lb {

// The four files a skin choice depends on, in the order they are checked.
enum class SkinFile { Title, Menu, Back, Layout };

// "找不到Title.Bmp" and its kin, shown in both interface languages.
const char* MissingMessage(SkinFile file);
// "Title.Bmp", "Menu.Bmp", "Default.Bmp" (the default back picture), "Skin.ini".
const char* DefaultFileName(SkinFile file);

// Folder names under "Skins" (plain files ignored) and "*.bmp" files under "Back" (letter
// case ignored, hidden files left out) of every skin folder, each name once, sorted without
// regard to letter case.
std::vector<std::string> ListSkinNames(const SkinRoots& roots);
std::vector<std::string> ListBackNames(const SkinRoots& roots);

// Position of the first entry equal to `name` in lower case, or -1.
int FindNoCase(const std::vector<std::string>& list, const std::string& name);

// A skin file counts only when it is there and reads: a picture that does not decode and a
// layout that is not three numbers 0..255 are as good as missing.
std::optional<Bitmap> LoadSkinPicture(const std::string& path);
std::optional<MenuLayout> LoadSkinLayout(const std::string& path);

// The chosen skin and back picture: the names the settings keep and the paths the build
// reads. Each change reports what was missing and carries what it loaded.
class SkinSelection {
  public:
    explicit SkinSelection(SkinRoots roots);

    std::string SkinName = kDefaultSkinName;
    std::string BackName = kDefaultBackName;
    std::string TitlePath, MenuPath, BackPath;

    struct Loaded {
        std::vector<SkinFile> missing;
        std::optional<Bitmap> title, menu, back;
        std::optional<MenuLayout> layout;
    };

    // Start-up: takes the stored names and checks title, menu, back and layout in that
    // order, stopping at the first that fails.
    Loaded CheckStored(const std::string& skinName, const std::string& backName);

    // The user picks a skin: all three files are checked. Paths of the files that are there
    // move to the picked skin; the name moves only when all three are there.
    Loaded PickSkin(const std::string& name);
    // The user picks a back picture: path and name move only when it loads.
    Loaded PickBack(const std::string& name);
    // The default skin and back picture, checked like a pick.
    Loaded PickDefault();

    // The default skin's files that are missing or unreadable, in check order.
    std::vector<SkinFile> MissingDefaults() const;
    // The bundled "Skins" and "Back" folders.
    std::filesystem::path SkinsFolder() const;
    std::filesystem::path BackFolder() const;

  private:
    SkinRoots roots_;
};

} // namespace lb

namespace lb {

// The one message shown when the default skin itself cannot be used: every file that is
// missing or unreadable, with the path where it is expected.
std::string IncompleteDefaultMessage(uint8_t LanguageFlag, const SkinSelection& skins,
                                     const std::vector<SkinFile>& missing);

} // namespace lb
