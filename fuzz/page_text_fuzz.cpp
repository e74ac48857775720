// Web pages: the character set, the visible text and the record made of it. The first byte
// picks the font.
#include "FuzzCheck.h"
#include "common/CodePage.h"
#include "items/PageCharset.h"
#include "items/PageText.h"
#include "items/WebPageItem.h"
#include "rom/Fonts.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int font = data[0] % int(LB_FONT_COUNT);
    std::string_view page(reinterpret_cast<const char*>(data + 1), size - 1);
    const lb::CodePage codePage = lb::CodePageForFont(font);
    std::string utf8 = lb::PageToUtf8(page, codePage);
    FUZZ_CHECK(lb::IsValidUtf8(utf8));
    std::string text = lb::PageText(utf8);
    FUZZ_CHECK(lb::IsValidUtf8(text));
    FUZZ_CHECK(lb::IsValidUtf8(lb::PageText(utf8, lb::PageRule::Main)));
    FUZZ_CHECK(lb::IsValidUtf8(lb::PageName(utf8)));
    for (size_t i = 0; i < text.size(); ++i) { // every line ends CR LF
        if (text[i] == '\r') FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
        if (text[i] == '\n') FUZZ_CHECK(i > 0 && text[i - 1] == '\r');
    }
    lb::CodePageConverter codes(codePage);
    int replaced = 0;
    lb::ItemData item = lb::EncodeWebPage(std::vector<uint8_t>(page.begin(), page.end()), codes, &replaced);
    FUZZ_CHECK(item.data.size() % 4 == 0 && item.length <= item.data.size() && item.length + 4 > item.data.size());
    FUZZ_CHECK(replaced >= 0);
    return 0;
}
