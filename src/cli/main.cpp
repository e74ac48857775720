// lumenbrook-cli: build, estimate and inspect ROM images from the command line.
#include "app/ProgramHome.h"
#include "app/SettingsFile.h"
#include "assembly/Build.h"
#include "cli/RomReport.h"
#include "common/Error.h"
#include "common/Files.h"
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

class ConsoleProgress : public BuildProgress {
public:
    explicit ConsoleProgress(bool quiet) : quiet_(quiet) {}
    void LogLine(const std::string& line, const std::string&) override { Say(line); }
    void EntryStarted(int, int, const std::string& counter) override { Say(counter); }
    void Warning(const std::string& text) override { std::cerr << "warning: " << text << "\n"; }
    void Finished(const std::string& caption) override { Say(caption); }

private:
    void Say(const std::string& s) {
        if (!quiet_) std::cout << s << std::endl;
    }
    bool quiet_;
};

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

// Adds every entry, "@Name" arguments as headings; reports what was skipped on stderr.
// Returns how many were skipped.
size_t AddEntries(ItemList& menu, const std::vector<std::string>& entries) {
    size_t skipped = 0;
    for (auto& path : entries) {
        if (IsHeadingArgument(path)) {
            AddHeading(menu, path.substr(1));
            continue;
        }
        for (auto& s : AddFile(menu, path)) {
            std::cerr << "skipped: " << s.path << ": " << s.reason << "\n";
            ++skipped;
        }
    }
    return skipped;
}

struct Common {
    std::string home;
    std::optional<int> font;
    std::string fit = "auto";
    int colours = 32768;
    std::string pageText = "whole";
    PictureOptions Pictures() const { return {FitRuleNamed(fit).value_or(FitRule::Auto), colours}; }
    PageRule Page() const { return pageText == "main" ? PageRule::Main : PageRule::Whole; }
    // The program's data and the user's files: --home names a program folder.
    ProgramHome Where() const {
        const UserEnvironment user = UserEnvironment::FromProcess();
        return home.empty() ? FindProgramHome(ExecutableFolder(), user) : HomeAt(home, user);
    }
    fs::path Home() const { return Where().data; }
    Settings Stored() const { return ReadStoredSettings(Where()); }
    int Font(const Settings& s) const { return font ? *font : s.FontIndex; }
};

// What `build` takes besides the entries.
struct BuildArgs {
    std::string output;
    std::optional<std::string> skin, back, layout, lang;
    int corner = 0;
    std::string textEncoding = "auto", chinese = "auto";
    bool strict = false, quiet = false;
};

int Build(const Common& common, const std::vector<std::string>& entries, const BuildArgs& args) {
    const auto& [output, skin, back, layout, lang, corner, textEncoding, chinese, strict, quiet] = args;
    if (TextOptions{textEncoding}.NamesEncoding() && !CharsetKnown(textEncoding.c_str())) {
        std::cerr << "lumenbrook-cli: --text-encoding: iconv does not know \"" << textEncoding << "\"\n";
        return 2;
    }
    CheckEntriesExist(entries);
    const ProgramHome where = common.Where();
    const Settings stored = ReadStoredSettings(where);
    const uint8_t language = lang ? (*lang == "zh" ? 0 : 1) : stored.LanguageFlag;
    ItemList menu(common.Font(stored));
    menu.pictures = common.Pictures();
    size_t skipped = AddEntries(menu, entries);
    if (strict && skipped > 0) {
        std::cerr << "lumenbrook-cli: " << skipped << " entries were skipped; nothing was built\n";
        return 1;
    }
    if (skipped > 0 && menu.entries.empty()) {
        std::cerr << "lumenbrook-cli: " << Say(UserText::NothingToBuild, language) << "\n";
        return 1;
    }
    BuildRequest request;
    request.programFolder = where.data;
    request.entries = menu.ForBuild();
    request.font = common.Font(stored);
    request.language = language;
    SkinPaths paths =
        SkinPathsFor(where.skins, skin.value_or(stored.SkinName), back.value_or(stored.BackName));
    request.titlePath = paths.TitlePath;
    request.menuPath = paths.MenuPath;
    request.backPath = paths.BackPath;
    if (layout) {
        std::vector<std::string> parts;
        std::string part;
        for (char c : *layout + ",") {
            if (c == ',') {
                parts.push_back(part);
                part.clear();
            } else {
                part += c;
            }
        }
        if (parts.size() != 3) {
            std::cerr << "lumenbrook-cli: --layout takes X,Y,COUNT\n";
            return 2;
        }
        request.layout = ParseMenuLayout(parts[0], parts[1], parts[2]);
    } else {
        request.layout = ReadSkinIni(paths.layoutPath);
    }
    request.corner = corner;
    request.pictures = common.Pictures();
    request.text.encoding = textEncoding;
    request.text.page = common.Page();
    request.text.convertScript = chinese == "auto";
    request.outputPath = output.empty() ? where.defaultRom.string() : output;
    request.strictSize = strict;
    ConsoleProgress progress(quiet);
    Conver(request, progress);
    if (!quiet) {
        std::error_code ec;
        const fs::path written = fs::absolute(request.outputPath, ec);
        const uintmax_t bytes = fs::file_size(request.outputPath, ec);
        std::cout << Say(UserText::Wrote, language, written.lexically_normal().string(),
                         WithThousands(ec ? 0 : bytes))
                  << std::endl;
    }
    return 0;
}

int Estimate(const Common& common, const std::vector<std::string>& entries, bool json) {
    CheckEntriesExist(entries);
    ItemList menu(common.Font(common.Stored()));
    menu.pictures = common.Pictures();
    AddEntries(menu, entries);
    if (json) {
        nlohmann::json j = {{"total_size", menu.TotalSize}, {"label", menu.SizeLabel()},
                            {"entries", nlohmann::json::array()}};
        for (auto& e : menu.entries) j["entries"].push_back({{"path", e.path}, {"name", e.name}});
        std::cout << j.dump() << "\n";
    } else {
        std::cout << "Size:" << menu.SizeLabel() << " (" << menu.TotalSize << " bytes)\n";
    }
    return 0;
}

int Inspect(const Common& common, const std::string& rom, bool json) {
    auto image = ReadWholeFile(rom);
    int font = -1;
    if (common.font) {
        font = *common.font;
    } else {
        std::vector<std::vector<uint8_t>> bases;
        for (int k = 0; k < kFontCount; ++k) {
            try {
                bases.push_back(ReadWholeFile(
                    ResolveNoCase(ResolveNoCase(common.Home(), "Bin"), lb::Font(k).base_image)));
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
        std::cout << RomReportJson(info).dump(2) << "\n";
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
        std::cerr << "lumenbrook-cli: --keys: " << e.what() << "\n";
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
    bool json = false;
    std::string rom;
    BuildArgs args;

    auto addCommon = [&](CLI::App* cmd, bool home) {
        if (home)
            cmd->add_option(
                "--home", common.home,
                "the program folder (default: beside the executable, or the installed one)");
        cmd->add_option("--font", common.font, "font 0..3")->check(CLI::Range(0, 3));
    };
    auto addPictures = [&](CLI::App* cmd) {
        cmd->add_option("--fit", common.fit,
                        "auto (default: screen for JPEG, PNG, GIF, WebP, TIFF; keep for .bmp), screen "
                        "(fit 240 x 160), width (240 wide, for scrolling) or keep")
            ->check(CLI::IsMember({"auto", "screen", "width", "keep"}));
        cmd->add_option("--colours", common.colours,
                        "colours of fitted and new-format pictures: 32768 (default), 256 or 16")
            ->check(CLI::IsMember({32768, 256, 16}));
        cmd->add_option("--page-text", common.pageText,
                        "whole (default): a web page's whole text; main: its main text, without "
                        "navigation and sidebars (books are read so)")
            ->check(CLI::IsMember({"whole", "main"}));
    };
    auto* build = app.add_subcommand("build", "build a ROM image from the entries");
    addCommon(build, true);
    addPictures(build);
    build->add_option("-o,--output", args.output,
                      "the ROM file (default: Lumbro.Gba in the program folder, or in your home "
                      "folder when the program is installed)");
    build->add_option("--skin", args.skin, "skin folder name");
    build->add_option("--back", args.back, "back picture file name");
    build->add_option("--layout", args.layout, "the menu layout X,Y,COUNT");
    build->add_option("--corner", args.corner, "corner 0..3")->check(CLI::Range(0, 3));
    build->add_option("--lang", args.lang, "zh or en")->check(CLI::IsMember({"zh", "en"}));
    build->add_option("--text-encoding", args.textEncoding,
                      "auto (default): texts read in their encoding and put into the font's; keep: "
                      "every text's bytes stored unchanged; or an iconv name every text without a "
                      "byte-order mark is read in");
    build->add_option("--chinese", args.chinese,
                      "auto (default): Simplified or Traditional characters as the font draws them; "
                      "keep: no conversion")
        ->check(CLI::IsMember({"auto", "keep"}));
    build->add_flag("--strict", args.strict, "a skipped entry, or an image past 32 MiB, is an error");
    build->add_flag("-q,--quiet", args.quiet, "print no progress");
    build->add_option("ENTRY", entries, "pictures, texts, web pages and menu lists");

    auto* estimate = app.add_subcommand("estimate", "the size estimate of a menu");
    addCommon(estimate, true);
    addPictures(estimate);
    estimate->add_flag("--json", json, "print one JSON object");
    estimate->add_option("ENTRY", entries, "pictures, texts, web pages and menu lists");

    auto* inspect = app.add_subcommand("inspect", "read a built ROM image back");
    addCommon(inspect, true);
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
        if (*build) return Build(common, entries, args);
        if (*estimate) return Estimate(common, entries, json);
        if (*preview) return Preview(rom, keys, frames, png, scale);
        return Inspect(common, rom, json);
    } catch (const Error& e) {
        std::cerr << "lumenbrook-cli: " << e.what() << "\n";
        return 1;
    }
}
