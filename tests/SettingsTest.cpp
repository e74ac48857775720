#include "TestFiles.h"
#include "app/BuildChoices.h"
#include "app/SettingsFile.h"
#include "skins/SkinFolder.h"
#include "common/Error.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

TEST(Settings, ReadingAndWriting) {
    struct Case { const char* text; bool valid; int lang, font; bool flash; const char* skin; const char* program; };
    const Case cases[] = {
        {"Language= 1\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 2\r\nFlash= 1\r\n/opt/fl ash, x\r\n", true, 1, 2, true, "Default", "/opt/fl ash, x"},
        {"Language=1\nSkins=Night\nBack=Slate.Bmp\n", true, 1, 0, false, "Night", ""},
        {"Language=abc\r\nSkins=a=b\r\nBack=x\r\nBin=3\r\nFlash=2\r\n", true, 0, 3, false, "a", ""},
        {"Language=0\r\nSkins=Default\r\n", false, 0, 0, false, "Default", ""},
        {"Language=0\r\nSkins\r\nBack=x\r\n", false, 0, 0, false, "Default", ""},
        {"Language=0\r\nSkins=a\r\nBack=x\r\nBin=4\r\n", true, 0, 4, false, "a", ""},
        {"Language=0\r\nSkins=a\r\nBack=x\r\nBin=5\r\n", false, 0, 0, false, "Default", ""},
        {"Language=256\r\nSkins=a\r\nBack=x\r\n", false, 0, 0, false, "Default", ""},
    };
    for (auto& c : cases) {
        SettingsRead r = ParseSettings(c.text);
        EXPECT_EQ(r.valid, c.valid) << c.text;
        EXPECT_EQ(r.settings.LanguageFlag, c.lang) << c.text;
        EXPECT_EQ(r.settings.FontIndex, c.font) << c.text;
        EXPECT_EQ(r.settings.flash, c.flash) << c.text;
        EXPECT_EQ(r.settings.SkinName, c.skin) << c.text;
        EXPECT_EQ(r.settings.flashProgram, c.program) << c.text;
    }
    Settings s;
    s.FontIndex = 1;
    EXPECT_EQ(FormatSettings(s), "Language= 0\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 1\r\nFlash=0\r\n\r\n");
    TempFolder dir;
    std::string path = (dir.Path() / "Lumenbrook.ini").string();
    s.flashProgram = "/a b/c,d";
    WriteSettingsFile(path, s);
    EXPECT_EQ(ReadSettingsFile(path).settings.flashProgram, "/a b/c,d");
    EXPECT_FALSE(ReadSettingsFile((dir.Path() / "none.ini").string()).valid);
}

// `--font` takes a font's number or its name, and nothing else.
TEST(Settings, FontsByNumberOrName) {
    const struct {
        const char* word;
        int font; // -1: refused
    } cases[] = {{"0", 0}, {"3", 3}, {"big5-10", 0}, {"big5-12", 1}, {"gb2312", 2}, {"english", 3},
                 {"unicode", 4}, {"4", 4}, {"English", -1}, {"5", -1}, {"", -1}};
    for (const auto& c : cases) {
        lb::BuildChoices choices;
        choices.font = 2;
        const lb::ChoiceOption& font = lb::ChoiceOptionNamed("font");
        if (c.font < 0) {
            EXPECT_THROW(lb::SetChoice(choices, font, c.word), lb::Error) << c.word;
            EXPECT_EQ(choices.font, 2) << c.word;
        } else {
            lb::SetChoice(choices, font, c.word);
            EXPECT_EQ(choices.font, c.font) << c.word;
        }
    }
}

TEST(SkinIni, NumberFields) {
    for (const char* text : {"8\r\n16\r\n5\r\n", "8,16,5", "  8 16\n5", "8, 16, 5\n"}) {
        MenuLayout l = ParseSkinIni(text);
        EXPECT_EQ(l.x, 8) << text;
        EXPECT_EQ(l.y, 16) << text;
        EXPECT_EQ(l.count, 5) << text;
    }
    for (const char* bad : {"8\n16\n", "8\n256\n5", "8\nx\n5", "", "-1 2 3"})
        EXPECT_THROW(ParseSkinIni(bad), Error) << bad;
}
