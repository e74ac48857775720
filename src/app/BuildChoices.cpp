#include "app/BuildChoices.h"

#include "common/CodePage.h"
#include "common/Error.h"
#include "rom/Fonts.h"

#include <algorithm>
#include <iterator>

namespace lb {

namespace {

// Each font's name on the command line, by its number.
const char* const kFontNames[] = {"big5-10", "big5-12", "gb2312", "english", "unicode"};
static_assert(std::size(kFontNames) == kFontCount, "every font has a name");

std::vector<std::string> FontWords() {
    std::vector<std::string> words;
    for (int k = 0; k < kFontCount; ++k) words.push_back(std::to_string(k));
    for (const char* name : kFontNames) words.push_back(name);
    return words;
}

int FontNumber(const std::string& word) {
    for (int k = 0; k < kFontCount; ++k)
        if (word == kFontNames[k]) return k;
    return std::stoi(word);
}

const std::string kFontHelp = [] {
    std::string help = "font 0.." + std::to_string(kLastFont) + " or its name:";
    for (int k = 0; k < kFontCount; ++k) help += std::string(k ? ", " : " ") + kFontNames[k];
    return help;
}();

const ChoiceOption kOptions[] = {
    {"font", nullptr, kFontHelp.c_str(), FontWords(),
     [](BuildChoices& c, const std::string& w) { c.font = FontNumber(w); },
     [](const BuildChoices& c) { return std::to_string(c.font); }},
    {"skin",
     nullptr,
     "skin folder name",
     {},
     [](BuildChoices& c, const std::string& w) { c.skin = w; },
     [](const BuildChoices& c) { return c.skin; }},
    {"back",
     nullptr,
     "back picture file name",
     {},
     [](BuildChoices& c, const std::string& w) { c.back = w; },
     [](const BuildChoices& c) { return c.back; }},
    {"layout",
     nullptr,
     "the menu layout X,Y,COUNT",
     {},
     [](BuildChoices& c, const std::string& w) { c.layout = ParseMenuLayout(w); },
     [](const BuildChoices& c) {
         if (!c.layout) return std::string();
         return std::to_string(c.layout->x) + "," + std::to_string(c.layout->y) + "," +
                std::to_string(c.layout->count);
     }},
    {"corner",
     nullptr,
     "corner 0..3",
     {"0", "1", "2", "3"},
     [](BuildChoices& c, const std::string& w) { c.corner = std::stoi(w); },
     [](const BuildChoices& c) { return std::to_string(c.corner); }},
    {"lang",
     nullptr,
     "zh or en",
     {"zh", "en"},
     [](BuildChoices& c, const std::string& w) { c.language = w == "zh" ? 0 : 1; },
     [](const BuildChoices& c) { return std::string(c.language == 0 ? "zh" : "en"); }},
    {"text-encoding",
     "build/textEncoding",
     "auto (default): texts read in their encoding and put into the font's; keep: every text's "
     "bytes stored unchanged; or an iconv name every text without a byte-order mark is read in",
     {},
     [](BuildChoices& c, const std::string& w) {
         if (w.empty()) throw Error("takes auto, keep or an iconv name");
         if (TextOptions{w}.NamesEncoding() && !CharsetKnown(w.c_str()))
             throw Error("iconv does not know \"" + w + "\"");
         c.text.encoding = w;
     },
     [](const BuildChoices& c) { return c.text.encoding; }},
    {"chinese",
     "build/chinese",
     "auto (default): Simplified or Traditional characters as the font draws them; keep: no "
     "conversion",
     {"auto", "keep"},
     [](BuildChoices& c, const std::string& w) { c.text.convertScript = w == "auto"; },
     [](const BuildChoices& c) { return std::string(c.text.convertScript ? "auto" : "keep"); }},
    {"fit",
     "build/fit",
     "auto (default: screen for JPEG, PNG, GIF, WebP, TIFF; keep for .bmp), screen (fit 240 x "
     "160), width (240 wide, for scrolling) or keep",
     {"auto", "screen", "width", "keep"},
     [](BuildChoices& c, const std::string& w) { c.pictures.fit = *FitRuleNamed(w); },
     [](const BuildChoices& c) { return std::string(FitRuleName(c.pictures.fit)); }},
    {"colours",
     "build/colours",
     "colours of fitted and new-format pictures: 32768 (default), 256 or 16",
     {"32768", "256", "16"},
     [](BuildChoices& c, const std::string& w) { c.pictures.colours = std::stoi(w); },
     [](const BuildChoices& c) { return std::to_string(c.pictures.colours); }},
    {"trim",
     "build/trim",
     "margins of one colour trimmed from pictures before they are fitted: pages (default: the "
     "pages of a folder, archive or PDF), auto (every picture) or off",
     {"pages", "auto", "off"},
     [](BuildChoices& c, const std::string& w) { c.pictures.trim = *TrimRuleNamed(w); },
     [](const BuildChoices& c) { return std::string(TrimRuleName(c.pictures.trim)); }},
    {"spreads",
     "build/spreads",
     "a page wider than tall among taller pages of a folder, archive or PDF: split (default: "
     "two entries in reading order), rotate (turned to fill the screen's height) or keep",
     {"split", "keep", "rotate"},
     [](BuildChoices& c, const std::string& w) { c.pictures.spreads = *SpreadRuleNamed(w); },
     [](const BuildChoices& c) { return std::string(SpreadRuleName(c.pictures.spreads)); }},
    {"page-text",
     "build/pageText",
     "whole (default): a web page's whole text; main: its main text, without navigation and "
     "sidebars (books are read so)",
     {"whole", "main"},
     [](BuildChoices& c, const std::string& w) {
         c.text.page = w == "main" ? PageRule::Main : PageRule::Whole;
     },
     [](const BuildChoices& c) {
         return std::string(c.text.page == PageRule::Main ? "main" : "whole");
     }},
    {"paragraphs",
     "build/paragraphs",
     "auto (default): the lines of a hard-wrapped text joined into paragraphs; keep: line ends "
     "as they stand; lines: every line end inside a paragraph joined",
     {"auto", "keep", "lines"},
     [](BuildChoices& c, const std::string& w) {
         c.text.paragraphs = w == "keep" ? ParagraphRule::Keep : w == "lines" ? ParagraphRule::Lines : ParagraphRule::Auto;
     },
     [](const BuildChoices& c) { return std::string(ParagraphRuleName(c.text.paragraphs)); }},
    {"reading-order",
     "build/readingOrder",
     "ltr (default): Right turns to the next page, picture or entry on the handheld; rtl: Left "
     "does, a wide picture opens at its right edge (manga)",
     {"ltr", "rtl"},
     [](BuildChoices& c, const std::string& w) { c.rightToLeft = w == "rtl"; },
     [](const BuildChoices& c) { return std::string(c.rightToLeft ? "rtl" : "ltr"); }},
};

} // namespace

void SetChoice(BuildChoices& choices, const ChoiceOption& option, const std::string& word) {
    const auto& words = option.words;
    if (!words.empty() && std::find(words.begin(), words.end(), word) == words.end()) {
        std::string list;
        for (const std::string& w : words) list += (list.empty() ? "" : ", ") + w;
        throw Error("\"" + word + "\" is none of " + list);
    }
    option.take(choices, word);
}

BuildChoices ChoicesFrom(const Settings& settings) {
    BuildChoices c;
    c.font = settings.FontIndex;
    c.language = settings.LanguageFlag;
    c.skin = settings.SkinName;
    c.back = settings.BackName;
    return c;
}

std::span<const ChoiceOption> ChoiceOptions() {
    return kOptions;
}

const ChoiceOption& ChoiceOptionNamed(std::string_view name) {
    for (const ChoiceOption& option : kOptions)
        if (name == option.name) return option;
    throw Error("no build option is named \"" + std::string(name) + "\"");
}

BuildRequest RequestFor(const BuildChoices& choices, const std::filesystem::path& programFolder,
                        const SkinPaths& skin, std::vector<BuildEntry> entries,
                        std::string outputPath) {
    BuildRequest request;
    request.programFolder = programFolder;
    request.entries = std::move(entries);
    request.font = choices.font;
    request.language = choices.language;
    request.titlePath = skin.TitlePath;
    request.menuPath = skin.MenuPath;
    request.backPath = skin.BackPath;
    request.layout = choices.layout ? *choices.layout : ReadSkinIni(skin.layoutPath);
    request.corner = choices.corner;
    request.outputPath = std::move(outputPath);
    request.text = choices.text;
    request.pictures = choices.pictures;
    request.strictSize = choices.strict;
    request.rightToLeft = choices.rightToLeft;
    return request;
}

} // namespace lb
