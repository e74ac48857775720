#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lb {

// How pictures are fitted to the handheld's 240 x 160 screen.
enum class FitRule {
    Auto,   // `Screen` for JPEG, PNG and the other new formats, `Keep` for ".bmp"
    Screen, // scaled down to fit the screen, proportions kept
    Width,  // scaled down to the screen's width, for pictures the viewer scrolls
    Keep,   // as it is
};

// Which pictures lose their margins.
enum class TrimRule {
    Pages, // the pages of a folder, archive or PDF
    All,   // every picture
    Off,
};

// What becomes of a double-page spread among a folder's, archive's or PDF's pages.
enum class SpreadRule {
    Split,  // two entries, in reading order
    Keep,   // one entry, fitted whole
    Rotate, // one entry turned a quarter, to fill the screen's height
};

struct PictureOptions {
    FitRule fit = FitRule::Auto;
    int colours = 32768; // 32768, 256 or 16, for fitted and new-format pictures
    TrimRule trim = TrimRule::Pages;
    SpreadRule spreads = SpreadRule::Split; // for pages added from now on
    bool operator==(const PictureOptions&) const = default;
};

// "auto", "screen", "width", "keep" and back; nothing for another word.
std::optional<FitRule> FitRuleNamed(const std::string& name);
const char* FitRuleName(FitRule rule);
// "pages", "auto" (every picture), "off"; "split", "keep", "rotate".
std::optional<TrimRule> TrimRuleNamed(const std::string& name);
const char* TrimRuleName(TrimRule rule);
std::optional<SpreadRule> SpreadRuleNamed(const std::string& name);
const char* SpreadRuleName(SpreadRule rule);

struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PictureSize&) const = default;
};

// The size a picture shown at `shown` takes under `rule` (never Auto): `Screen` scales by
// s = min(240 / w, 160 / h) to (round(w s), round(h s)), each at least 1, only when it does
// not fit already; `Width` scales to 240 wide when wider, then down to 32,767 high when
// taller; `Keep` keeps it.
PictureSize FittedSize(PictureSize shown, FitRule rule);

} // namespace lb
