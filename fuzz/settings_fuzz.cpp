// The settings file: what reads as valid is written back and reads the same.
#include "FuzzCheck.h"
#include "app/SettingsFile.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lb::SettingsRead read = lb::ParseSettings(std::string(reinterpret_cast<const char*>(data), size));
    if (!read.valid) {
        FUZZ_CHECK(!read.problem.empty());
        return 0;
    }
    const lb::Settings& s = read.settings;
    lb::SettingsRead again = lb::ParseSettings(lb::FormatSettings(s));
    FUZZ_CHECK(again.valid);
    const lb::Settings& t = again.settings;
    FUZZ_CHECK(t.LanguageFlag == s.LanguageFlag && t.SkinName == s.SkinName && t.BackName == s.BackName &&
               t.FontIndex == s.FontIndex && t.flash == s.flash && t.flashProgram == s.flashProgram);
    return 0;
}
