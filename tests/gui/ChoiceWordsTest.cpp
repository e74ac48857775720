// Every option word a build takes reads the same from the command line as from what the
// window keeps: its QSettings store for the Options menu, the settings file for font and
// language.
#include "TestHome.h"
#include "app/BuildChoices.h"
#include "cli/ChoiceArguments.h"
#include "common/Error.h"
#include "gui/BuildOptions.h"
#include "gui/UserStore.h"

#include <QtTest>

namespace {

struct Case {
    const char* option;
    const char* word;
    // What the word chooses, from the defaults; nullptr when the word is not taken.
    void (*expect)(lb::BuildChoices&);
};

const Case kCases[] = {
    {"fit", "auto", [](lb::BuildChoices& c) { c.pictures.fit = lb::FitRule::Auto; }},
    {"fit", "screen", [](lb::BuildChoices& c) { c.pictures.fit = lb::FitRule::Screen; }},
    {"fit", "width", [](lb::BuildChoices& c) { c.pictures.fit = lb::FitRule::Width; }},
    {"fit", "keep", [](lb::BuildChoices& c) { c.pictures.fit = lb::FitRule::Keep; }},
    {"fit", "Keep", nullptr},
    {"colours", "32768", [](lb::BuildChoices& c) { c.pictures.colours = 32768; }},
    {"colours", "256", [](lb::BuildChoices& c) { c.pictures.colours = 256; }},
    {"colours", "16", [](lb::BuildChoices& c) { c.pictures.colours = 16; }},
    {"colours", "64", nullptr},
    {"trim", "pages", [](lb::BuildChoices& c) { c.pictures.trim = lb::TrimRule::Pages; }},
    {"trim", "auto", [](lb::BuildChoices& c) { c.pictures.trim = lb::TrimRule::All; }},
    {"trim", "off", [](lb::BuildChoices& c) { c.pictures.trim = lb::TrimRule::Off; }},
    {"trim", "on", nullptr},
    {"spreads", "split", [](lb::BuildChoices& c) { c.pictures.spreads = lb::SpreadRule::Split; }},
    {"spreads", "keep", [](lb::BuildChoices& c) { c.pictures.spreads = lb::SpreadRule::Keep; }},
    {"spreads", "rotate", [](lb::BuildChoices& c) { c.pictures.spreads = lb::SpreadRule::Rotate; }},
    {"spreads", "turn", nullptr},
    {"page-text", "whole", [](lb::BuildChoices& c) { c.text.page = lb::PageRule::Whole; }},
    {"page-text", "main", [](lb::BuildChoices& c) { c.text.page = lb::PageRule::Main; }},
    {"page-text", "some", nullptr},
    {"paragraphs", "auto", [](lb::BuildChoices& c) { c.text.paragraphs = lb::ParagraphRule::Auto; }},
    {"paragraphs", "keep", [](lb::BuildChoices& c) { c.text.paragraphs = lb::ParagraphRule::Keep; }},
    {"paragraphs", "lines", [](lb::BuildChoices& c) { c.text.paragraphs = lb::ParagraphRule::Lines; }},
    {"paragraphs", "join", nullptr},
    {"reading-order", "ltr", [](lb::BuildChoices& c) { c.rightToLeft = false; }},
    {"reading-order", "rtl", [](lb::BuildChoices& c) { c.rightToLeft = true; }},
    {"reading-order", "RTL", nullptr},
    {"chinese", "auto", [](lb::BuildChoices& c) { c.text.convertScript = true; }},
    {"chinese", "keep", [](lb::BuildChoices& c) { c.text.convertScript = false; }},
    {"chinese", "maybe", nullptr},
    {"text-encoding", "auto", [](lb::BuildChoices& c) { c.text.encoding = "auto"; }},
    {"text-encoding", "keep", [](lb::BuildChoices& c) { c.text.encoding = "keep"; }},
    {"text-encoding", "CP437", [](lb::BuildChoices& c) { c.text.encoding = "CP437"; }},
    {"text-encoding", "NO-SUCH-CODE", nullptr},
    {"text-encoding", "", nullptr},
    {"font", "0", [](lb::BuildChoices& c) { c.font = 0; }},
    {"font", "3", [](lb::BuildChoices& c) { c.font = 3; }},
    {"font", "9", nullptr},
    {"lang", "zh", [](lb::BuildChoices& c) { c.language = 0; }},
    {"lang", "en", [](lb::BuildChoices& c) { c.language = 1; }},
};

// The command line's choices, or nothing when it refuses the word.
std::optional<lb::BuildChoices> FromCommandLine(const Case& c) {
    CLI::App app;
    ChoiceArguments words;
    words.AddTo(app.add_subcommand("build"), {c.option});
    std::vector<std::string> args = {"build", std::string("--") + c.option, c.word};
    std::reverse(args.begin(), args.end()); // CLI11 takes them last first
    lb::BuildChoices choices;
    try {
        app.parse(args);
        words.ApplyTo(choices);
    } catch (const CLI::ParseError&) {
        return std::nullopt;
    } catch (const lb::Error&) {
        return std::nullopt;
    }
    return choices;
}

// The window's choices with the word where the window keeps it.
lb::BuildChoices FromWindow(const lb::ChoiceOption& option, const char* word) {
    UserStore()->clear();
    if (option.storedKey) {
        UserStore()->setValue(option.storedKey, word);
        return BuildOptions::Load();
    }
    // Font and language live in the settings file, the language as 0 (Chinese) or 1.
    const std::string name = option.name;
    const std::string language = name == "lang" && std::string(word) == "en" ? "1" : "0";
    const std::string text =
        "Language=" + language +
        "\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin=" + (name == "font" ? word : "0") + "\r\n";
    return lb::ChoicesFrom(lb::ParseSettings(text).settings);
}

} // namespace

class ChoiceWordsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { UseTemporaryUserSettings(); }

    void SameChoiceFromBothFrontEnds() {
        for (const Case& c : kCases) {
            const lb::ChoiceOption& option = lb::ChoiceOptionNamed(c.option);
            const QByteArray what = QByteArray(c.option) + " " + c.word;
            const auto cli = FromCommandLine(c);
            const lb::BuildChoices window = FromWindow(option, c.word);
            if (!c.expect) {
                QVERIFY2(!cli, what);
                QVERIFY2(window == lb::BuildChoices{}, what); // the default stays
                continue;
            }
            lb::BuildChoices expected;
            c.expect(expected);
            QVERIFY2(cli && *cli == expected, what);
            QVERIFY2(window == expected, what);
            QCOMPARE(QString::fromStdString(option.word(expected)), QString(c.word));
            if (option.storedKey) { // and kept as the same word
                BuildOptions::Save(expected);
                QCOMPARE(UserStore()->value(option.storedKey).toString(), QString(c.word));
            }
        }
    }
};

QTEST_MAIN(ChoiceWordsTest)
#include "ChoiceWordsTest.moc"
