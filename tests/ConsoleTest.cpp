// The console's counter line: names cut to the terminal's width, wide characters taking two
// columns, never in the middle of a character.
#include "cli/ConsoleProgress.h"

#include <gtest/gtest.h>

TEST(Console, NamesAreCutToTheColumnsTheyTake) {
    struct Case {
        std::string text;
        size_t columns;
        std::string fitted;
    };
    const Case cases[] = {
        {"abc", 2, "ab"},
        {"abc", 3, "abc"},
        {"abc", 0, ""},
        {"", 5, ""},
        {"第1話", 3, "第1"}, // 2 + 1
        {"第1話", 4, "第1"}, // 話 would make 5
        {"第1話", 5, "第1話"},
        {"é和", 2, "é"}, // é one column, 和 two
        {"한글", 3, "한"},
        {"ｶﾀ", 2, "ｶﾀ"},                              // half-width katakana: one column each
        {"Ａ", 1, ""},                                // full-width Latin: two
        {"\xF0\x9F\x98\x80x", 2, "\xF0\x9F\x98\x80"}, // an emoji: two
    };
    for (const Case& c : cases)
        EXPECT_EQ(lb::FitColumns(c.text, c.columns), c.fitted) << c.text << " in " << c.columns;
}
