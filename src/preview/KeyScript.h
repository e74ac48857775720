#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lb {

// One step of a key script: wait `frames` frames, then hold `keys` for one frame (none: 0).
struct KeyStep {
    int frames = 0;
    uint32_t keys = 0;
};

// "120:start,30:a,60": steps apart by commas, each a frame count, optionally ":" and keys
// joined by "+" (a b select start right left up down r l, in any case). Throws lb::Error
// naming the step and what is wrong with it.
std::vector<KeyStep> ParseKeyScript(std::string_view script);

// The key register bit of a key's name, 0 when there is no such key.
uint32_t KeyBit(std::string_view name);

// The frames the steps take, each press counting one.
int64_t ScriptFrames(const std::vector<KeyStep>& steps);

} // namespace lb
