#include "app/SettingsFile.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/NumberText.h"
#include "rom/Fonts.h"

#include <vector>

namespace lb {

namespace {

// The text after the first "=" up to the next "=" or the line's end; false without "=".
bool SecondPiece(const std::string& line, std::string& piece) {
    auto eq = line.find('=');
    if (eq == std::string::npos) return false;
    auto next = line.find('=', eq + 1);
    piece = line.substr(eq + 1, next == std::string::npos ? std::string::npos : next - eq - 1);
    return true;
}

// Leading blanks skipped, digits up to the first other character; no digits give 0.
long long LenientNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long n = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && n < 1000000)
        n = n * 10 + (text[i++] - '0');
    return negative ? -n : n;
}

SettingsRead Defaults(const std::string& problem) {
    SettingsRead r;
    r.problem = problem;
    return r;
}

} // namespace

SettingsRead ParseSettings(const std::string& text) {
    auto lines = SplitLines(text);
    if (lines.size() < 3) return Defaults("it has fewer than three lines");
    SettingsRead r;
    std::string piece;
    for (size_t k = 0; k < lines.size() && k < 5; ++k)
        if (lines[k].find('=') == std::string::npos)
            return Defaults("line " + std::to_string(k + 1) + " has no \"=\"");
    SecondPiece(lines[0], piece);
    long long language = LenientNumber(piece);
    if (language < 0 || language > 255) return Defaults("the language value is not 0..255");
    r.settings.LanguageFlag = static_cast<uint8_t>(language);
    SecondPiece(lines[1], r.settings.SkinName);
    SecondPiece(lines[2], r.settings.BackName);
    if (lines.size() > 3) {
        SecondPiece(lines[3], piece);
        long long font = LenientNumber(piece);
        if (font < 0 || font > kLastFont)
            return Defaults("the font value is not 0.." + std::to_string(kLastFont));
        r.settings.FontIndex = static_cast<uint8_t>(font);
    }
    if (lines.size() > 4) {
        SecondPiece(lines[4], piece);
        r.settings.flash = LenientNumber(piece) == 1;
    }
    if (lines.size() > 5) r.settings.flashProgram = lines[5];
    r.valid = true;
    return r;
}

SettingsRead ReadSettingsFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const Error& e) {
        return Defaults(e.what());
    }
    SettingsRead r = ParseSettings(std::string(bytes.begin(), bytes.end()));
    if (!r.valid) r.problem = path + ": " + r.problem;
    return r;
}

std::string FormatSettings(const Settings& s) {
    return "Language=" + NumberText(s.LanguageFlag) + "\r\n" + "Skins=" + s.SkinName + "\r\n" +
           "Back=" + s.BackName + "\r\n" + "Bin=" + NumberText(s.FontIndex) + "\r\n" +
           (s.flash ? "Flash=1" : "Flash=0") + "\r\n" + s.flashProgram + "\r\n";
}

void WriteSettingsFile(const std::string& path, const Settings& settings) {
    ReplaceFileContents(path, FormatSettings(settings));
}

} // namespace lb
