#include "items/PictureOptions.h"

#include "format/RomLayout.h"

#include <algorithm>
#include <cmath>

namespace lb {

namespace {

const char* const kNames[] = {"auto", "screen", "width", "keep"};
const char* const kTrimNames[] = {"pages", "auto", "off"};
const char* const kSpreadNames[] = {"split", "keep", "rotate"};

template <typename Rule, size_t N>
std::optional<Rule> Named(const char* const (&names)[N], const std::string& name) {
    for (size_t k = 0; k < N; ++k)
        if (name == names[k]) return static_cast<Rule>(k);
    return std::nullopt;
}

int32_t Scaled(int32_t side, double scale) {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(side * scale)));
}

} // namespace

std::optional<FitRule> FitRuleNamed(const std::string& name) { return Named<FitRule>(kNames, name); }
const char* FitRuleName(FitRule rule) { return kNames[static_cast<int>(rule)]; }

std::optional<TrimRule> TrimRuleNamed(const std::string& name) { return Named<TrimRule>(kTrimNames, name); }
const char* TrimRuleName(TrimRule rule) { return kTrimNames[static_cast<int>(rule)]; }

std::optional<SpreadRule> SpreadRuleNamed(const std::string& name) {
    return Named<SpreadRule>(kSpreadNames, name);
}
const char* SpreadRuleName(SpreadRule rule) { return kSpreadNames[static_cast<int>(rule)]; }

PictureSize FittedSize(PictureSize shown, FitRule rule) {
    const double w = shown.width, h = shown.height;
    if (rule == FitRule::Screen) {
        if (shown.width <= int32_t{LB_SCREEN_WIDTH} && shown.height <= int32_t{LB_SCREEN_HEIGHT}) return shown;
        const double s = std::min(LB_SCREEN_WIDTH / w, LB_SCREEN_HEIGHT / h);
        return {Scaled(shown.width, s), Scaled(shown.height, s)};
    }
    if (rule == FitRule::Width) {
        PictureSize out = shown;
        if (out.width > int32_t{LB_SCREEN_WIDTH})
            out = {int32_t{LB_SCREEN_WIDTH}, Scaled(shown.height, LB_SCREEN_WIDTH / w)};
        if (out.height > int32_t{LB_MAX_PICTURE_SIDE}) {
            const double s = LB_MAX_PICTURE_SIDE / h;
            out = {Scaled(shown.width, s), int32_t{LB_MAX_PICTURE_SIDE}};
        }
        return out;
    }
    return shown;
}

} // namespace lb
