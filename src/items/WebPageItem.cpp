#include "items/WebPageItem.h"

#include "common/CodePage.h"
#include "format/RomLayout.h"
#include "items/Chapters.h"
#include "items/FontText.h"
#include "items/PageCharset.h"
#include "items/PageText.h"
#include "items/TextItem.h"

namespace lb {

ItemData EncodeWebPage(const std::vector<uint8_t>& page, const CodePageConverter& codes,
                       int* replaced) {
    return EncodeWebPage(page, FontText(codes, false), replaced, nullptr);
}

ItemData EncodeWebPage(const std::vector<uint8_t>& page, const FontText& font, int* replaced,
                       const char** script, PageRule rule) {
    std::string_view bytes(reinterpret_cast<const char*>(page.data()), page.size());
    const std::string utf8 = PageText(PageToUtf8(bytes, font.Codes().Page()), rule);
    std::string text = font.Encode(utf8, replaced, script);
    const bool units16 = font.Codes().Page() == CodePage::Unicode;
    ItemData item = EncodeText(std::vector<uint8_t>(text.begin(), text.end()), LB_PLAIN_TEXT, units16);
    item.chapters = ChapterStarts(utf8, text, nullptr, units16);
    return item;
}

} // namespace lb
