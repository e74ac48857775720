#include "skins/SkinChoice.h"

#include "common/AsciiCase.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/ProgramNames.h"
#include "common/UserTexts.h"
#include "items/FileEndings.h"
#include "skins/SkinFolder.h"

#include <algorithm>

namespace lb {

namespace {

std::string Lower(const std::string& s) { return AsciiLower(s); }

void SortNoCase(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        std::string la = Lower(a), lb = Lower(b);
        return la != lb ? la < lb : a < b;
    });
}

// Entries of the `kind` folder of every root, each name once (the first root's spelling);
// none from a folder that cannot be read.
template <typename Keep>
std::vector<std::string> ListFolders(const SkinRoots& roots, const char* kind, Keep keep) {
    std::vector<std::string> names;
    for (const fs::path& root : roots.folders) {
        std::error_code ec;
        for (fs::directory_iterator it(ResolveNoCase(root, kind), ec), end; !ec && it != end;
             it.increment(ec)) {
            std::string name = it->path().filename().string();
            const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
                return Lower(n) == Lower(name);
            });
            if (!known && keep(*it)) names.push_back(std::move(name));
        }
    }
    SortNoCase(names);
    return names;
}

} // namespace

const char* MissingMessage(SkinFile file) {
    switch (file) {
    case SkinFile::Title: return Say(UserText::MissingTitle, 0);
    case SkinFile::Menu: return Say(UserText::MissingMenu, 0);
    case SkinFile::Back: return Say(UserText::MissingBack, 0);
    default: return Say(UserText::MissingLayout, 0);
    }
}

const char* DefaultFileName(SkinFile file) {
    switch (file) {
    case SkinFile::Title:
        return "Title.Bmp";
    case SkinFile::Menu:
        return "Menu.Bmp";
    case SkinFile::Back:
        return kDefaultBackName;
    default:
        return "Skin.ini";
    }
}

std::vector<std::string> ListSkinNames(const SkinRoots& roots) {
    return ListFolders(roots, "Skins", [](const fs::directory_entry& e) {
        std::error_code ec;
        return e.is_directory(ec);
    });
}

std::vector<std::string> ListBackNames(const SkinRoots& roots) {
    return ListFolders(roots, "Back", [](const fs::directory_entry& e) {
        std::error_code ec;
        std::string name = e.path().filename().string();
        return name[0] != '.' && EndsAs(name, FileKind::Bitmap) && e.is_regular_file(ec);
    });
}

int FindNoCase(const std::vector<std::string>& list, const std::string& name) {
    std::string wanted = Lower(name);
    for (size_t i = 0; i < list.size(); ++i)
        if (Lower(list[i]) == wanted) return static_cast<int>(i);
    return -1;
}

std::optional<Bitmap> LoadSkinPicture(const std::string& path) {
    try {
        return DecodeBitmap(ReadWholeFile(path));
    } catch (const Error&) {
        return std::nullopt;
    }
}

std::optional<MenuLayout> LoadSkinLayout(const std::string& path) {
    try {
        return ReadSkinIni(path);
    } catch (const Error&) {
        return std::nullopt;
    }
}

SkinSelection::SkinSelection(SkinRoots roots) : roots_(std::move(roots)) {
    SkinPaths paths = SkinPathsFor(roots_, SkinName, BackName);
    TitlePath = paths.TitlePath;
    MenuPath = paths.MenuPath;
    BackPath = paths.BackPath;
}

fs::path SkinSelection::SkinsFolder() const {
    return ResolveNoCase(roots_.Bundled(), "Skins");
}
fs::path SkinSelection::BackFolder() const {
    return ResolveNoCase(roots_.Bundled(), "Back");
}

SkinSelection::Loaded SkinSelection::CheckStored(const std::string& skinName,
                                                 const std::string& backName) {
    SkinName = skinName;
    BackName = backName;
    SkinPaths paths = SkinPathsFor(roots_, SkinName, BackName);
    TitlePath = paths.TitlePath;
    MenuPath = paths.MenuPath;
    BackPath = paths.BackPath;
    Loaded loaded;
    if (!(loaded.title = LoadSkinPicture(TitlePath)))
        loaded.missing.push_back(SkinFile::Title);
    else if (!(loaded.menu = LoadSkinPicture(MenuPath)))
        loaded.missing.push_back(SkinFile::Menu);
    else if (!(loaded.back = LoadSkinPicture(BackPath)))
        loaded.missing.push_back(SkinFile::Back);
    else if (!(loaded.layout = LoadSkinLayout(paths.layoutPath)))
        loaded.missing.push_back(SkinFile::Layout);
    return loaded;
}

SkinSelection::Loaded SkinSelection::PickSkin(const std::string& name) {
    SkinPaths paths = SkinPathsFor(roots_, name, BackName);
    Loaded loaded;
    if ((loaded.title = LoadSkinPicture(paths.TitlePath)))
        TitlePath = paths.TitlePath;
    else
        loaded.missing.push_back(SkinFile::Title);
    if ((loaded.menu = LoadSkinPicture(paths.MenuPath)))
        MenuPath = paths.MenuPath;
    else
        loaded.missing.push_back(SkinFile::Menu);
    if (!(loaded.layout = LoadSkinLayout(paths.layoutPath)))
        loaded.missing.push_back(SkinFile::Layout);
    if (loaded.missing.empty()) {
        SkinName = name;
    } else {
        // Previews, boxes and name keep the previous skin.
        loaded.title.reset();
        loaded.menu.reset();
        loaded.layout.reset();
    }
    return loaded;
}

SkinSelection::Loaded SkinSelection::PickBack(const std::string& name) {
    std::string path = SkinPathsFor(roots_, SkinName, name).BackPath;
    Loaded loaded;
    if ((loaded.back = LoadSkinPicture(path))) {
        BackPath = path;
        BackName = name;
    } else {
        loaded.missing.push_back(SkinFile::Back);
    }
    return loaded;
}

SkinSelection::Loaded SkinSelection::PickDefault() {
    Loaded loaded = PickSkin(kDefaultSkinName);
    Loaded back = PickBack(kDefaultBackName);
    loaded.back = std::move(back.back);
    if (!back.missing.empty()) {
        auto at = std::find(loaded.missing.begin(), loaded.missing.end(), SkinFile::Layout);
        loaded.missing.insert(at, SkinFile::Back);
    }
    return loaded;
}

std::vector<SkinFile> SkinSelection::MissingDefaults() const {
    SkinPaths paths = SkinPathsFor(roots_, kDefaultSkinName, kDefaultBackName);
    std::vector<SkinFile> missing;
    if (!LoadSkinPicture(paths.TitlePath)) missing.push_back(SkinFile::Title);
    if (!LoadSkinPicture(paths.MenuPath)) missing.push_back(SkinFile::Menu);
    if (!LoadSkinPicture(paths.BackPath)) missing.push_back(SkinFile::Back);
    if (!LoadSkinLayout(paths.layoutPath)) missing.push_back(SkinFile::Layout);
    return missing;
}

} // namespace lb

namespace lb {

std::string IncompleteDefaultMessage(uint8_t LanguageFlag, const SkinSelection& skins,
                                     const std::vector<SkinFile>& missing) {
    std::string text = Say(UserText::IncompleteDefaultSkin, LanguageFlag);
    for (SkinFile file : missing) {
        fs::path folder = file == SkinFile::Back ? skins.BackFolder()
                                                 : ResolveNoCase(skins.SkinsFolder(), kDefaultSkinName);
        text += "\r\n" + (folder / DefaultFileName(file)).string();
    }
    return text;
}

} // namespace lb
