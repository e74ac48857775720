// Menu list files: the paths read, written back by this program, read the same.
#include "FuzzCheck.h"
#include "menu/MenuListFile.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto paths = lb::ParseMenuList(text, "/lists");
    for (auto& p : paths) FUZZ_CHECK(p.find('\r') == std::string::npos && p.find('\n') == std::string::npos);
    std::vector<std::string> kept; // an empty line is no path the program writes
    for (auto& p : paths)
        if (!p.empty()) kept.push_back(p);
    FUZZ_CHECK(lb::ParseMenuList(lb::FormatMenuList(kept), "/lists") == kept);
    return 0;
}
