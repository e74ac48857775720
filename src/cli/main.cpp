// lumenbrook-cli: build, estimate and inspect ROM images from the command line.
#include "app/BuildChoices.h"
#include "app/ProgramHome.h"
#include "app/SettingsFile.h"
#include "assembly/Build.h"
#include "cli/ChoiceArguments.h"
#include "cli/ConsoleProgress.h"
#include "cli/RomReport.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/TerminalText.h"
#include "common/UserTexts.h"
#include "items/EntrySource.h"
#include "menu/AddFile.h"
#include "preview/FramePng.h"
#include "preview/Handheld.h"
#include "preview/KeyScript.h"
#include "rom/Fonts.h"
#include "skins/SkinFolder.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <malloc.h>
#include <nlohmann/json.hpp>
#include <optional>

namespace {

using namespace lb;

// An argument "@Name" that names no file: a category heading with nothing behind it.
bool IsHeadingArgument(const std::string& arg) {
    std::error_code ec;
    return arg.size() > 1 && arg[0] == '@' && !fs::exists(arg, ec);
}

// Every entry named must be there (a file, a folder or a member of an existing archive),
// before anything is read or written.
void CheckEntriesExist(const std::vector<std::string>& entries) {
    for (const std::string& path : entries) {
        std::error_code ec;
        if (IsHeadingArgument(path) || fs::exists(path, ec) || SplitArchivePath(path)) continue;
        throw Error(path + ": no such file or folder");
    }
}

void SaySkipped(const SkippedFile& s) {
    std::cerr << "skipped: " << TerminalText(s.path) << ": " << TerminalText(s.reason) << "\n";
}

// What adding the entries left out: the files skipped, told on stderr at once, and the books
// and archives that cannot be read, which a build refuses.
struct LeftOut {
    size_t skipped = 0;
    std::vector<SkippedFile> broken;
};

// Adds every entry, "@Name" arguments as headings.
LeftOut AddEntries(ItemList& menu, const std::vector<std::string>& entries) {
    LeftOut left;
    for (auto& path : entries) {
        if (IsHeadingArgument(path)) {
            AddHeading(menu, path.substr(1));
            continue;
        }
        for (auto& s : AddFile(menu, path)) {
            if (s.broken) {
                left.broken.push_back(s);
            } else {
                SaySkipped(s);
                ++left.skipped;
            }
        }
    }
    return left;
}

// A word the command line does not take: a usage error, like CLI11's own.
struct UsageError : Error {
    using Error::Error;
};

struct Common {
    std::string home;
    // The program's data and the user's files: --home names a program folder.
    ProgramHome Where() const {
        const UserEnvironment user = UserEnvironment::FromProcess();
        return home.empty() ? FindProgramHome(ExecutableFolder(), user) : HomeAt(home, user);
    }
    fs::path Home() const { return Where().data; }
    // The settings file's choices with the command line's words over them.
    BuildChoices Choices(const ChoiceArguments& words) const {
        BuildChoices choices = ChoicesFrom(ReadStoredSettings(Where()));
        try {
            words.ApplyTo(choices);
        } catch (const Error& e) {
            throw UsageError(e.what());
        }
        return choices;
    }
};

int Build(const Common& common, const std::vector<std::string>& entries, BuildChoices choices,
          const std::string& output, bool quiet) {
    CheckEntriesExist(entries);
    const ProgramHome where = common.Where();
    const std::string outputPath = output.empty() ? where.defaultRom.string() : output;
    // The menu lists named; every file they and the folders name is checked by the build.
    RefuseOutputAmongInputs(outputPath, entries);
    ItemList menu(choices.font);
    menu.pictures = choices.pictures;
    menu.pageText = choices.text.page;
    const LeftOut left = AddEntries(menu, entries);
    // A book or archive that cannot be read fails the build, as a broken picture does.
    for (const SkippedFile& s : left.broken)
        std::cerr << "lumenbrook-cli: " << TerminalText(s.path) << ": " << TerminalText(s.reason) << "\n";
    if (!left.broken.empty()) return 1;
    const size_t skipped = left.skipped;
    if (choices.strict && skipped > 0) {
        std::cerr << "lumenbrook-cli: " << skipped
                  << (skipped == 1 ? " entry was skipped" : " entries were skipped")
                  << "; nothing was built\n";
        return 1;
    }
    if (skipped > 0 && menu.entries.empty()) {
        std::cerr << "lumenbrook-cli: " << Say(UserText::NothingToBuild, choices.language) << "\n";
        return 1;
    }
    const BuildRequest request =
        RequestFor(choices, where.data, SkinPathsFor(where.skins, choices.skin, choices.back),
                   menu.ForBuild(), outputPath);
    std::vector<std::string> names;
    for (const BuildEntry& entry : request.entries) names.push_back(entry.name);
    ConsoleProgress progress(quiet, std::move(names));
    Conver(request, progress);
    if (!quiet) {
        std::error_code ec;
        const fs::path written = fs::absolute(request.outputPath, ec);
        const uintmax_t bytes = fs::file_size(request.outputPath, ec);
        const std::string wrote = Say(UserText::Wrote, choices.language,
                                      written.lexically_normal().string(), WithThousands(ec ? 0 : bytes));
        std::cout << TerminalText(wrote) << std::endl;
    }
    return 0;
}

int Estimate(const std::vector<std::string>& entries, const BuildChoices& choices, bool json) {
    CheckEntriesExist(entries);
    ItemList menu(choices.font);
    menu.pictures = choices.pictures;
    menu.pageText = choices.text.page;
    for (const SkippedFile& s : AddEntries(menu, entries).broken) SaySkipped(s);
    if (json) {
        nlohmann::json j = {{"total_size", menu.TotalSize}, {"label", menu.SizeLabel()},
                            {"entries", nlohmann::json::array()}};
        for (auto& e : menu.entries) j["entries"].push_back({{"path", e.path}, {"name", e.name}});
        std::cout << j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        std::cout << "Size:" << menu.SizeLabel() << " (" << menu.TotalSize << " bytes)\n";
    }
    return 0;
}

int Inspect(const Common& common, const std::string& rom, std::optional<int> givenFont, bool json) {
    auto image = ReadWholeFile(rom, uint64_t{1} << 30); // a lenient build may pass 32 MiB
    int font = -1;
    if (givenFont) {
        font = *givenFont;
    } else {
        std::vector<std::vector<uint8_t>> bases;
        for (int k = 0; k < kFontCount; ++k) {
            try {
                bases.push_back(ReadWholeFile(BaseImagePath(common.Home(), k)));
            } catch (const Error&) {
                bases.emplace_back();
            }
        }
        font = DetectFont(image, bases);
        if (font < 0)
            throw Error(rom + ": it begins with none of the base images in " +
                        (common.Home() / "Bin").string() + "; give the font with --font");
    }
    RomInfo info = ReadRom(image, font);
    if (json)
        std::cout << RomReportJson(info).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
                  << "\n";
    else
        std::cout << RomReportText(info);
    return 0;
}

// Runs the ROM headless for `frames` frames, pressing keys as the script says (the whole
// script is followed even when it is longer), and writes the last frame as PNG.
int Preview(const std::string& rom, const std::string& keys, int frames, const std::string& png, int scale) {
    std::vector<KeyStep> steps;
    try {
        steps = ParseKeyScript(keys);
    } catch (const Error& e) {
        std::cerr << "lumenbrook-cli: --keys: " << TerminalText(e.what()) << "\n";
        return 2;
    }
    Handheld handheld(rom);
    int64_t ran = 0;
    for (const KeyStep& step : steps) {
        handheld.Run(step.frames);
        ran += step.frames;
        if (!step.keys) continue;
        handheld.SetKeys(step.keys);
        handheld.Run(1);
        handheld.SetKeys(0);
        ++ran;
    }
    if (ran < frames) handheld.Run(static_cast<int>(frames - ran));
    WriteFramePng(png, handheld.Frame(), scale);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A build makes one large buffer after another (records, pictures, texts): kept in the
    // heap instead of mapped and unmapped each time, they are not faulted in afresh.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    CLI::App app{"Lumenbrook: builds Game Boy Advance ROM images of pictures and texts"};
    app.require_subcommand(1);
    app.footer(
        "Examples:\n"
        "  lumenbrook-cli build -o Holiday.gba @Pictures beach.jpg hills.png @Texts diary.txt\n"
        "  lumenbrook-cli build --font 1 --lang zh -o Books.gba books.lkm\n"
        "  lumenbrook-cli estimate --json books.lkm");
    Common common;
    std::vector<std::string> entries;
    bool json = false, quiet = false, strict = false;
    std::string rom, output;
    std::optional<int> inspectFont;
    ChoiceArguments buildWords, estimateWords;
    const auto addHome = [&](CLI::App* cmd) {
        cmd->add_option("--home", common.home,
                        "the program folder (default: beside the executable, or the installed one)");
    };

    auto* build = app.add_subcommand("build", "build a ROM image from the entries");
    addHome(build);
    build->add_option("-o,--output", output,
                      "the ROM file (default: Lumbro.Gba in the program folder, or in your home "
                      "folder when the program is installed)");
    buildWords.AddTo(build, {"font", "skin", "back", "layout", "corner", "lang", "text-encoding",
                             "chinese", "fit", "colours", "trim", "spreads", "page-text",
                             "paragraphs", "reading-order"});
    build->add_flag("--strict", strict, "a skipped entry, or an image past 32 MiB, is an error");
    build->add_flag("-q,--quiet", quiet, "print no progress");
    build->add_option("ENTRY", entries, "pictures, texts, web pages and menu lists");

    auto* estimate = app.add_subcommand("estimate", "the size estimate of a menu");
    addHome(estimate);
    estimateWords.AddTo(estimate,
                        {"font", "fit", "colours", "trim", "spreads", "page-text", "paragraphs"});
    estimate->add_flag("--json", json, "print one JSON object");
    estimate->add_option("ENTRY", entries, "pictures, texts, web pages and menu lists");

    auto* inspect = app.add_subcommand("inspect", "read a built ROM image back");
    addHome(inspect);
    inspect->add_option("--font", inspectFont, ChoiceOptionNamed("font").help)
        ->check(CLI::Range(0, kLastFont));
    inspect->add_flag("--json", json, "print one JSON object");
    inspect->add_option("ROM", rom, "the ROM image")->required();

    std::string keys, png = "preview.png";
    int frames = 120, scale = 1;
    auto* preview = app.add_subcommand("preview", "run a ROM headless and save its last frame as PNG");
    preview->add_option("ROM", rom, "the ROM image")->required();
    preview->add_option("--keys", keys, "a key script, e.g. 120:start,30:a,60 (frames to wait, then keys "
                                        "pressed for one frame)");
    preview->add_option("--frames", frames, "frames to run at least (default 120)")->check(CLI::Range(0, 100000000));
    preview->add_option("--png", png, "the PNG file (default preview.png)");
    preview->add_option("--scale", scale, "each pixel as K x K (1..4, default 1)")->check(CLI::Range(1, 4));

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    try {
        if (*build) {
            BuildChoices choices = common.Choices(buildWords);
            choices.strict = strict;
            return Build(common, entries, std::move(choices), output, quiet);
        }
        if (*estimate) return Estimate(entries, common.Choices(estimateWords), json);
        if (*preview) return Preview(rom, keys, frames, png, scale);
        return Inspect(common, rom, inspectFont, json);
    } catch (const UsageError& e) {
        std::cerr << "lumenbrook-cli: " << TerminalText(e.what()) << "\n";
        return 2;
    } catch (const std::exception& e) {
        // Ours name the file and the cause; a library's that slipped through still ends the
        // command with a message, never an abort.
        std::cerr << "lumenbrook-cli: " << TerminalText(e.what()) << "\n";
        return 1;
    }
}
