#pragma once

#include "common/CodePage.h"
#include "items/ScriptConverter.h"

#include <memory>
#include <string>

namespace lb {

// Puts Unicode text into what the chosen font draws: its code page, its Chinese script and
// the glyphs its base image holds. One per build; OpenCC is loaded the first time it helps.
class FontText {
  public:
    // `codes` is limited to the font's glyphs already (CodePageConverter::ShowOnly).
    FontText(const CodePageConverter& codes, bool convertScript);
    ~FontText();

    const CodePageConverter& Codes() const { return codes_; }

    struct Fitted {
        std::string utf8;   // the text, converted to the font's script where that helped
        const char* script; // "s2tw" or "t2s" when converted, else nullptr
    };
    // Converts to the script the font draws (Traditional for Big5, Simplified for GB2312)
    // when the text has characters the font cannot show and the converted text has fewer.
    Fitted FitScript(const std::string& utf8) const;

    // FitScript, then the code page's bytes; `replaced` counts the characters stored as "?".
    std::string Encode(const std::string& utf8, int* replaced, const char** script,
                       int* spelled = nullptr) const;

  private:
    ScriptConverter& Converter() const;

    const CodePageConverter& codes_;
    const char* config_; // the OpenCC conversion towards the font's script, or nullptr
    mutable std::unique_ptr<ScriptConverter> converter_;
};

} // namespace lb
