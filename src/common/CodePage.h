#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lb {

// The character set the handheld can draw with the chosen font.
// Unicode: the fifth font's, 16-bit code units (UTF-16LE) of the Basic Multilingual Plane.
enum class CodePage { Big5, Gbk, Western, Unicode };

CodePage CodePageForFont(int font);
const char* IconvName(CodePage page);

// Converts between UTF-8 (this platform's text) and a font's code page, one character at a
// time, so that a character the code page lacks becomes "?" and nothing else moves.
class CodePageConverter {
public:
    explicit CodePageConverter(CodePage page);
    ~CodePageConverter();
    CodePageConverter(const CodePageConverter&) = delete;
    CodePageConverter& operator=(const CodePageConverter&) = delete;

    // The code of each character of `utf8` in the code page (one or two bytes each).
    // Invalid UTF-8 bytes and characters outside the code page give "?".
    std::vector<std::string> EncodeChars(std::string_view utf8, int* replaced = nullptr) const;
    // The same bytes as joining EncodeChars.
    // A character the font lacks is first put in another spelling it has (Spelling.h), each
    // such counted in `spelled`; only one without becomes "?", counted in `replaced`.
    std::string Encode(std::string_view utf8, int* replaced = nullptr, int* spelled = nullptr) const;

    // One character's code (one or two bytes) back to UTF-8; "?" when it is no character.
    std::string DecodeChar(std::string_view code) const;

    CodePage Page() const { return page_; }

    // Limits the codes to those a font draws: `shown[c]` for a one-byte code c, or for a
    // double-byte code lead << 8 | trail (65,536 entries). Any other code becomes "?" and
    // counts as replaced. Control bytes (below 0x20, and 0x7F) always pass.
    void ShowOnly(std::vector<bool> shown) { shown_ = std::move(shown); }

private:
    static constexpr uint32_t kNoCode = 0xFFFFFFFF, kUnknown = 0xFFFFFFFE;
    uint32_t CodeOf(std::string_view utf8Char) const;
    bool Shown(uint32_t code) const;
    // Calls `put` with each character's code, "?" for those not shown; returns how many.
    template <typename Put> int EachCode(std::string_view utf8, Put put, int* spelled) const;
    template <typename Put> bool SpellOut(std::string_view character, Put put) const;

    CodePage page_;
    std::vector<bool> shown_; // empty: every code of the page
    void* toPage_;
    void* fromPage_;
    mutable std::vector<uint32_t> cache_; // a code for each BMP character, once looked up
};

// Converts a whole text from the character set iconv knows as `charset` to UTF-8. Bytes that
// are no character there become U+FFFD, so the rest still comes through.
std::string DecodeToUtf8(std::string_view bytes, const char* charset);

// The whole text read in `charset` as UTF-8, or nothing when any byte sequence is no
// character there (or the text ends inside one).
std::optional<std::string> DecodeStrict(std::string_view bytes, const char* charset);

// Whether iconv can read text in `charset`.
bool CharsetKnown(const char* charset);

// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view bytes);

// The bytes with each one that belongs to no well-formed UTF-8 sequence as U+FFFD. (iconv's
// own UTF-8 reader lets code points past U+10FFFF through.)
std::string ReplaceInvalidUtf8(std::string_view bytes);

} // namespace lb
