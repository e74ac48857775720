#include "common/Error.h"
#include "rom/MenuTables.h"

#include <gtest/gtest.h>

using namespace lb;

TEST(MenuTables, HeaderCategoriesAndNames) {
    CodePageConverter codes(CodePage::Big5);
    // Heading, two items, heading, one item.
    auto t = MenuTables({"@A", "x", "y", "#B", "z"}, {8, 16, 5}, 1, codes);
    ASSERT_EQ(t.size(), 16u + 2 * 36 + 5 * 36);
    const std::vector<uint8_t> header = {2, 0, 5, 8, 16, 5, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(t.begin(), t.begin() + 16), header);
    // (first 1, span 3) and (first 4, span 2).
    EXPECT_EQ(std::vector<uint8_t>(t.begin() + 16, t.begin() + 22), (std::vector<uint8_t>{0, 1, 0, 3, '\\', 'A'}));
    EXPECT_EQ(std::vector<uint8_t>(t.begin() + 52, t.begin() + 58), (std::vector<uint8_t>{0, 4, 0, 2, '!', 'B'}));
    const size_t names = 16 + 72;
    const uint8_t firsts[] = {'\\', ' ', ' ', '!', ' '};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(t[names + 36 * k], firsts[k]) << k;
    EXPECT_EQ(t[names + 36 * 1 + 1], 'x');
    EXPECT_EQ(t[names + 36 * 5 - 1], ' ');

    // Headings back to back, items before the first heading, an empty list.
    auto u = MenuTables({"a", "@H", "@I"}, {}, 0, codes);
    EXPECT_EQ(std::vector<uint8_t>(u.begin() + 16, u.begin() + 20), (std::vector<uint8_t>{0, 2, 0, 1}));
    EXPECT_EQ(std::vector<uint8_t>(u.begin() + 52, u.begin() + 56), (std::vector<uint8_t>{0, 3, 0, 1}));
    EXPECT_EQ(MenuTables({}, {}, 0, codes), std::vector<uint8_t>(16, 0));
}

TEST(MenuTables, LayoutBoxes) {
    struct Case { const char* text; int want; };
    const Case good[] = {{"8", 8}, {" 16 ", 16}, {"2.5", 2}, {"3.5", 4}, {"255.4", 255}, {"0", 0}, {"-0.4", 0}};
    for (auto& c : good) EXPECT_EQ(LayoutByte(c.text, "X"), c.want) << c.text;
    for (const char* bad : {"", "abc", "256", "255.5", "-1", "0x10", "1e2", "nan", "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"})
        EXPECT_THROW(LayoutByte(bad, "X"), Error) << bad;
    // The three boxes at once, each error naming its box.
    EXPECT_EQ(ParseMenuLayout("8", " 2.5", "3.5"), (MenuLayout{8, 2, 4}));
    // --layout's text: the three boxes joined by commas.
    EXPECT_EQ(ParseMenuLayout(" 8 ,2.5,3.5"), (MenuLayout{8, 2, 4}));
    for (const char* bad : {"1,2", "1,2,3,4", "1,,3", "1,2,256"}) EXPECT_THROW(ParseMenuLayout(bad), Error) << bad;
    struct Bad { const char *x, *y, *count, *message; };
    const Bad bads[] = {{"x", "1", "1", "X box holds \"x\""}, {"8", "300", "5", "Y box holds 300"},
                        {"8", "16", "", "Count box holds \"\""}};
    for (auto& b : bads) {
        try {
            ParseMenuLayout(b.x, b.y, b.count);
            ADD_FAILURE() << b.message;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(b.message), std::string::npos) << e.what();
        }
    }
}
