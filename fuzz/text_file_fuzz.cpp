// Text files: the encoding decided for them and the record made. The first byte picks the
// font (low two bits, or bit 3 for the Unicode font) and whether the Chinese script is
// converted (bit 2).
#include "FuzzCheck.h"
#include "common/CodePage.h"
#include "format/RomLayout.h"
#include "items/FontText.h"
#include "items/TextItem.h"
#include "rom/Fonts.h"

#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int font = (data[0] & 8) ? 4 : data[0] % 4;
    const bool convert = data[0] & 4;
    // OpenCC's dictionaries load once for the whole run.
    static std::unique_ptr<lb::CodePageConverter> codes[LB_FONT_COUNT];
    static std::unique_ptr<lb::FontText> fonts[2 * LB_FONT_COUNT];
    if (!codes[font]) codes[font] = std::make_unique<lb::CodePageConverter>(lb::CodePageForFont(font));
    auto& fontText = fonts[font * 2 + convert];
    if (!fontText) fontText = std::make_unique<lb::FontText>(*codes[font], convert);

    const std::vector<uint8_t> file(data + 1, data + size);
    lb::TextReading reading;
    lb::ItemData item = lb::EncodeTextFile(file, LB_PLAIN_TEXT, *fontText, {}, &reading);
    FUZZ_CHECK(item.data.size() % 4 == 0 && item.length == item.data.size());
    FUZZ_CHECK(reading.replaced >= 0);
    std::string_view stored(reinterpret_cast<const char*>(item.data.data()), item.data.size());
    if (codes[font]->Page() == lb::CodePage::Unicode) {
        // Always 16-bit units of the Basic Multilingual Plane, never a surrogate.
        FUZZ_CHECK(stored.size() % 2 == 0 && lb::DecodeStrict(stored, "UTF-16LE").has_value());
        for (size_t k = 1; k < stored.size(); k += 2) FUZZ_CHECK((uint8_t(stored[k]) & 0xF8) != 0xD8);
    } else if (reading.source.readAs.empty()) {
        // Stored unchanged: the file's bytes, then blanks.
        FUZZ_CHECK(stored.substr(0, file.size()) ==
                   std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
        FUZZ_CHECK(stored.find_first_not_of(' ', file.size()) == std::string_view::npos);
    } else {
        // Read: what is stored is text of the font's code page.
        FUZZ_CHECK(lb::DecodeStrict(stored, lb::IconvName(codes[font]->Page())).has_value());
    }
    return 0;
}
