#include "rom/NameField.h"

#include "format/RomLayout.h"

namespace lb {

bool IsHeading(const std::string& displayName) {
    return !displayName.empty() && (displayName[0] == '@' || displayName[0] == '#');
}

std::vector<uint8_t> NameField(const std::string& displayName, size_t width,
                               const CodePageConverter& codes, int* replaced) {
    std::string marked;
    if (!displayName.empty() && displayName[0] == '@')
        marked = "\\" + displayName.substr(1);
    else if (!displayName.empty() && displayName[0] == '#')
        marked = "!" + displayName.substr(1);
    else
        marked = " " + displayName;

    std::vector<uint8_t> field;
    field.reserve(width);
    if (codes.Page() == CodePage::Unicode) { // the mark and each character a 16-bit unit
        for (const std::string& code : codes.EncodeChars(marked, replaced)) {
            if (field.size() + 2 > width) break;
            field.insert(field.end(), code.begin(), code.end());
        }
        while (field.size() + 2 <= width) field.insert(field.end(), {' ', 0});
        field.resize(width, 0);
        return field;
    }
    for (const std::string& code : codes.EncodeChars(marked, replaced)) {
        if (field.size() == width) break;
        auto first = static_cast<uint8_t>(code[0]);
        if (code.size() == 1 && first >= 32 && first <= 126) {
            field.push_back(first);
            continue;
        }
        // Two bytes: a double-byte code, or the escape before a one-byte code outside 32..126.
        if (field.size() == width - 1) break;
        if (code.size() == 2) {
            field.push_back(first);
            field.push_back(static_cast<uint8_t>(code[1]));
        } else {
            field.push_back(LB_NAME_SINGLE_BYTE_ESCAPE);
            field.push_back(first);
        }
    }
    field.resize(width, ' ');
    return field;
}

DecodedName ReadNameField(const uint8_t* field, size_t width, const CodePageConverter& codes) {
    DecodedName out;
    if (width == 0) return out;
    out.mark = field[0];
    if (codes.Page() == CodePage::Unicode) {
        for (size_t i = 2; i + 1 < width; i += 2)
            out.name += codes.DecodeChar(
                std::string{static_cast<char>(field[i]), static_cast<char>(field[i + 1])});
        while (!out.name.empty() && out.name.back() == ' ') out.name.pop_back();
        return out;
    }
    size_t i = 1;
    while (i < width) {
        uint8_t b = field[i];
        if (b >= 32 && b <= 126) {
            out.name += static_cast<char>(b);
            ++i;
        } else if (i + 1 < width) {
            std::string code = b == LB_NAME_SINGLE_BYTE_ESCAPE
                                   ? std::string(1, static_cast<char>(field[i + 1]))
                                   : std::string{static_cast<char>(b), static_cast<char>(field[i + 1])};
            out.name += codes.DecodeChar(code);
            i += 2;
        } else {
            out.name += '?';
            ++i;
        }
    }
    while (!out.name.empty() && out.name.back() == ' ') out.name.pop_back();
    return out;
}

} // namespace lb
