// A skin's layout file: what parses, written back the way a skin folder holds it, parses the same.
#include "FuzzCheck.h"
#include "common/Error.h"
#include "skins/SkinFolder.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lb::MenuLayout layout;
    try {
        layout = lb::ParseSkinIni(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const lb::Error&) {
        return 0;
    }
    std::string again = std::to_string(layout.x) + "\r\n" + std::to_string(layout.y) + "\r\n" +
                        std::to_string(layout.count) + "\r\n";
    lb::MenuLayout back = lb::ParseSkinIni(again);
    FUZZ_CHECK(back.x == layout.x && back.y == layout.y && back.count == layout.count);
    return 0;
}
