#pragma once

#include "common/CodePage.h"

#include "items/PageText.h"
#include "items/Paragraphs.h"

#include <string>
#include <string_view>
#include <vector>

namespace lb {

// How the build reads texts (`--text-encoding`): "auto", "keep" (every text's bytes stored
// unchanged) or an iconv name that every text without a byte-order mark is read in.
struct TextOptions {
    std::string encoding = "auto";
    bool convertScript = true; // `--chinese auto`: Simplified and Traditional as the font needs
    PageRule page = PageRule::Whole; // `--page-text`: a web page's whole text or its main text
    ParagraphRule paragraphs = ParagraphRule::Auto; // `--paragraphs`: hard-wrapped lines joined

    // Whether `encoding` names one (neither "auto" nor "keep").
    bool NamesEncoding() const;
    bool operator==(const TextOptions&) const = default;
};

// What a text's bytes are for the font: stored unchanged, or read in an encoding.
struct TextSource {
    std::string readAs;      // iconv's name; empty when the bytes are stored unchanged
    size_t markBytes = 0;    // a byte-order mark in front, not stored
    bool undecided = false;  // stored unchanged because the detector could not tell
    std::string detected;    // what the detector named, if it was asked
    int undecodable = 0;     // bytes that do not decode in `readAs`, read as U+FFFD
};

// Decides, in this order: a byte-order mark; only bytes below 0x80 (unchanged); valid UTF-8
// with a multi-byte character; then the detector (uchardet). Its answer is read in its usual
// superset (Big5 as CP950, then Big5-HKSCS; GB2312 as GB18030; ISO-8859-1 as Windows-1252;
// Shift_JIS as CP932; EUC-KR as CP949), with the bytes that still do not decode counted when
// they are at most 1 % of the text. The bytes stay unchanged when it names the font's own
// code page or nothing, when more than 1 % does not decode, or when it names neither a
// Chinese nor a Unicode encoding while the bytes decode in the font's own code page. For the
// Unicode font, whose texts are 16-bit units, a text left undecided is read as Windows-1252.
TextSource DecideTextSource(std::string_view bytes, CodePage font, const TextOptions& options);

// The text as UTF-8 from the source decided above (invalid sequences as U+FFFD).
std::string ReadTextSource(std::string_view bytes, const TextSource& source);

} // namespace lb
