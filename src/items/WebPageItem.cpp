#include "items/WebPageItem.h"

#include "items/PageCharset.h"
#include "items/PageText.h"
#include "items/TextItem.h"
#include "rom/RomLayout.h"

namespace lb {

ItemData EncodeWebPage(const std::vector<uint8_t>& page, const CodePageConverter& codes,
                       int* replaced) {
    std::string_view bytes(reinterpret_cast<const char*>(page.data()), page.size());
    std::string text = codes.Encode(PageText(PageToUtf8(bytes, codes.Page())), replaced);
    return EncodeText(std::vector<uint8_t>(text.begin(), text.end()), LB_PLAIN_TEXT);
}

} // namespace lb
