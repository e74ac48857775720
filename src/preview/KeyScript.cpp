#include "preview/KeyScript.h"

#include "common/Error.h"
#include "preview/Handheld.h"

namespace lb {

namespace {

const struct {
    const char* name;
    uint32_t bit;
} kKeys[] = {{"a", kKeyA},         {"b", kKeyB},       {"select", kKeySelect}, {"start", kKeyStart},
             {"right", kKeyRight}, {"left", kKeyLeft}, {"up", kKeyUp},         {"down", kKeyDown},
             {"r", kKeyR},         {"l", kKeyL}};

std::vector<std::string_view> Split(std::string_view text, char by) {
    std::vector<std::string_view> parts;
    for (size_t at = 0;;) {
        size_t next = text.find(by, at);
        parts.push_back(text.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at));
        if (next == std::string_view::npos) return parts;
        at = next + 1;
    }
}

} // namespace

uint32_t KeyBit(std::string_view name) {
    for (auto& k : kKeys) {
        std::string_view n = k.name;
        if (n.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < n.size() && same; ++i)
            same = n[i] == (name[i] >= 'A' && name[i] <= 'Z' ? name[i] - 'A' + 'a' : name[i]);
        if (same) return k.bit;
    }
    return 0;
}

std::vector<KeyStep> ParseKeyScript(std::string_view script) {
    std::vector<KeyStep> steps;
    if (script.empty()) return steps;
    for (std::string_view item : Split(script, ',')) {
        const std::string where = "key script step \"" + std::string(item) + "\": ";
        size_t colon = item.find(':');
        std::string_view count = item.substr(0, colon);
        if (count.empty()) throw Error(where + "it needs a frame count");
        if (count[0] == '-') throw Error(where + "a frame count cannot be negative");
        KeyStep step;
        for (char c : count) {
            if (c < '0' || c > '9') throw Error(where + "\"" + std::string(count) + "\" is not a frame count");
            if (step.frames > 100000000) throw Error(where + "the frame count is too large");
            step.frames = step.frames * 10 + (c - '0');
        }
        if (colon != std::string_view::npos)
            for (std::string_view key : Split(item.substr(colon + 1), '+')) {
                uint32_t bit = KeyBit(key);
                if (!bit)
                    throw Error(where + "\"" + std::string(key) +
                                "\" is no key (a b select start right left up down r l)");
                step.keys |= bit;
            }
        steps.push_back(step);
    }
    return steps;
}

int64_t ScriptFrames(const std::vector<KeyStep>& steps) {
    int64_t frames = 0;
    for (auto& s : steps) frames += s.frames + (s.keys ? 1 : 0);
    return frames;
}

} // namespace lb
