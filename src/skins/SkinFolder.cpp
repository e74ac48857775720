#include "skins/SkinFolder.h"

#include "common/Error.h"
#include "common/Files.h"

namespace lb {

SkinPaths SkinPathsFor(const SkinRoots& roots, const std::string& SkinName,
                       const std::string& BackName) {
    fs::path skin = roots.Find("Skins", SkinName);
    return {ResolveNoCase(skin, "Title.Bmp").string(), ResolveNoCase(skin, "Menu.Bmp").string(),
            roots.Find("Back", BackName).string(), ResolveNoCase(skin, "Skin.ini").string()};
}

MenuLayout ParseSkinIni(const std::string& text) {
    int values[3];
    size_t at = 0;
    for (int k = 0; k < 3; ++k) {
        // Blanks, commas between fields and line ends come before a number.
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' ||
                                    text[at] == '\n' || (k > 0 && text[at] == ',')))
            ++at;
        size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '\t' && text[at] != ',' &&
               text[at] != '\r' && text[at] != '\n')
            ++at;
        std::string field = text.substr(start, at - start);
        static const char* names[3] = {"X", "Y", "Count"};
        if (field.empty()) throw Error(std::string("the layout has no ") + names[k] + " number");
        if (field.size() > 3 || field.find_first_not_of("0123456789") != std::string::npos)
            throw Error(std::string("the layout's ") + names[k] + " field \"" + field +
                        "\" is not a whole number 0..255");
        values[k] = std::stoi(field);
        if (values[k] > 255)
            throw Error(std::string("the layout's ") + names[k] + " number " + field +
                        " is more than 255");
        // A field ends at its blank or comma; one comma may follow blanks.
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
        if (at < text.size() && text[at] == ',') ++at;
    }
    return {static_cast<uint8_t>(values[0]), static_cast<uint8_t>(values[1]),
            static_cast<uint8_t>(values[2])};
}

MenuLayout ReadSkinIni(const std::string& path) {
    auto bytes = ReadWholeFile(path);
    try {
        return ParseSkinIni(std::string(bytes.begin(), bytes.end()));
    } catch (const Error& e) {
        throw Error(path + ": " + e.what());
    }
}

} // namespace lb
