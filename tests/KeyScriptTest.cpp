#include "common/Error.h"
#include "preview/Handheld.h"
#include "preview/KeyScript.h"

#include <gtest/gtest.h>

using namespace lb;

TEST(KeyScript, StepsAndErrors) {
    struct Case {
        const char* script;
        std::vector<std::pair<int, uint32_t>> steps;
        const char* error; // empty: parses
    } cases[] = {
        {"", {}, ""},
        {"120:start,30:a,60", {{120, kKeyStart}, {30, kKeyA}, {60, 0}}, ""},
        {"0:A+b,7:Select+START+l+R", {{0, kKeyA | kKeyB}, {7, kKeySelect | kKeyStart | kKeyL | kKeyR}}, ""},
        {"1:up+down+left+right", {{1, kKeyUp | kKeyDown | kKeyLeft | kKeyRight}}, ""},
        {"120:strat", {}, "key script step \"120:strat\": \"strat\" is no key (a b select start right left up down r l)"},
        {"-5", {}, "key script step \"-5\": a frame count cannot be negative"},
        {"10,,20", {}, "key script step \"\": it needs a frame count"},
        {":a", {}, "key script step \":a\": it needs a frame count"},
        {"x:a", {}, "key script step \"x:a\": \"x\" is not a frame count"},
        {"3:", {}, "key script step \"3:\": \"\" is no key (a b select start right left up down r l)"},
        {"3:a+", {}, "key script step \"3:a+\": \"\" is no key (a b select start right left up down r l)"},
        {"9999999999", {}, "key script step \"9999999999\": the frame count is too large"},
    };
    for (const Case& c : cases) {
        std::string error;
        std::vector<std::pair<int, uint32_t>> got;
        try {
            for (auto& s : ParseKeyScript(c.script)) got.push_back({s.frames, s.keys});
        } catch (const Error& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error) << c.script;
        EXPECT_EQ(got, c.steps) << c.script;
    }
    EXPECT_EQ(ScriptFrames(ParseKeyScript("120:start,30:a,60")), 120 + 1 + 30 + 1 + 60);
}
