#pragma once

#include <cstdint>
#include <string>

namespace lb {

// The general number-to-text form: one blank in front of a number that is not negative.
inline std::string NumberText(int64_t n) {
    return n >= 0 ? " " + std::to_string(n) : std::to_string(n);
}

} // namespace lb
