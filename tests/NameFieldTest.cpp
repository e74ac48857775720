#include "rom/NameField.h"

#include <gtest/gtest.h>

using namespace lb;

namespace {

std::vector<uint8_t> Field(std::string text, size_t width = 36) {
    std::vector<uint8_t> f(text.begin(), text.end());
    f.resize(width, ' ');
    return f;
}

} // namespace

TEST(NameField, MarksCutsAndCodes) {
    CodePageConverter big5(CodePage::Big5), western(CodePage::Western);
    std::string thirtySix(36, 'a');
    // "中" is A4 A4 in Big5; "é" is E9 in CP1252.
    struct Case { const char* what; std::string name; size_t width; const CodePageConverter& codes; std::vector<uint8_t> want; };
    std::vector<uint8_t> cjkEnd = Field(" " + std::string(34, 'a'));
    cjkEnd[35] = ' '; // the double-byte character does not fit in the last byte
    std::vector<uint8_t> cjk = Field(" ");
    cjk[1] = 0xA4; cjk[2] = 0xA4;
    std::vector<uint8_t> escaped = Field(" ");
    escaped[1] = 0x00; escaped[2] = 0xE9;
    const Case cases[] = {
        {"item", "cat", 36, big5, Field(" cat")},
        {"@ heading", "@Birds", 36, big5, Field("\\Birds")},
        {"# heading", "#Birds", 32, big5, Field("!Birds", 32)},
        {"36 letters lose the last", thirtySix, 36, big5, Field(" " + std::string(35, 'a'))},
        {"double byte never split", std::string(34, 'a') + "中", 36, big5, cjkEnd},
        {"double byte", "中", 36, big5, cjk},
        {"single byte outside 32..126", "é", 36, western, escaped},
        {"missing character", "中", 36, western, Field(" ?")},
        {"empty", "", 36, big5, Field(" ")},
    };
    for (auto& c : cases) EXPECT_EQ(NameField(c.name, c.width, c.codes), c.want) << c.what;
}

TEST(NameField, ReadsBackWhatItWrote) {
    CodePageConverter big5(CodePage::Big5);
    auto field = NameField("@中文 Books", 36, big5);
    DecodedName back = ReadNameField(field.data(), field.size(), big5);
    EXPECT_EQ(back.mark, 0x5C);
    EXPECT_EQ(back.name, "中文 Books");
}
