#pragma once

#include "app/SettingsFile.h"
#include "assembly/BuildRequest.h"
#include "common/ProgramNames.h"
#include "skins/SkinFolder.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lb {

// What a build is asked for besides the menu: made alike by the command line and the window.
struct BuildChoices {
    int font = 0;         // a row of the font table
    uint8_t language = 0; // 0 Chinese, other values English
    std::string skin = kDefaultSkinName;
    std::string back = kDefaultBackName;
    std::optional<MenuLayout> layout; // nothing: the skin's "Skin.ini"
    int corner = 0;                   // 0..3
    PictureOptions pictures;
    TextOptions text;
    // A skipped entry, or an image past the cartridge's address space, fails the build.
    bool strict = false;
    bool rightToLeft = false; // `--reading-order rtl`

    bool operator==(const BuildChoices&) const = default;
};

// The choices the settings file keeps: font, language, skin and back picture.
BuildChoices ChoicesFrom(const Settings& settings);

// One option word of a build: `--NAME WORD` on the command line and, where the window keeps
// it with its own settings, `storedKey`. A default-made BuildChoices holds each default.
struct ChoiceOption {
    const char* name;
    const char* storedKey; // nullptr: the window keeps it in the settings file or its boxes
    const char* help;
    std::vector<std::string> words; // the words taken; empty when `take` decides
    // Takes a word already found in `words`; throws lb::Error saying why another is not taken.
    // Reached through SetChoice.
    void (*take)(BuildChoices& choices, const std::string& word);
    std::string (*word)(const BuildChoices& choices);
};

// Every option word, in the order the command line lists them.
std::span<const ChoiceOption> ChoiceOptions();
// The row named `name`; throws lb::Error when there is none.
const ChoiceOption& ChoiceOptionNamed(std::string_view name);
// Sets one choice from its word; throws lb::Error with the cause when the word is not taken,
// leaving the choices as they were.
void SetChoice(BuildChoices& choices, const ChoiceOption& option, const std::string& word);

// The one way a choice becomes a build request: the entries, the skin's files (its layout
// read from `skin.layoutPath` unless the choices give one) and the output path.
BuildRequest RequestFor(const BuildChoices& choices, const std::filesystem::path& programFolder,
                        const SkinPaths& skin, std::vector<BuildEntry> entries,
                        std::string outputPath);

} // namespace lb
