#pragma once

#include <stdexcept>
#include <string>

namespace lb {

// Every failure the core reports; the text names the file and the cause.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& what) : std::runtime_error(what) {}
};

} // namespace lb
