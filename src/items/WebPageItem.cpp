#include "items/WebPageItem.h"

#include "format/RomLayout.h"
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
    std::string text =
        font.Encode(PageText(PageToUtf8(bytes, font.Codes().Page()), rule), replaced, script);
    return EncodeText(std::vector<uint8_t>(text.begin(), text.end()), LB_PLAIN_TEXT);
}

} // namespace lb
