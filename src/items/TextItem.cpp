#include "items/TextItem.h"

#include "common/Error.h"

namespace lb {

ItemData EncodeText(std::vector<uint8_t> bytes, uint8_t type) {
    const uint64_t fill = bytes.size() % 4 ? 4 - bytes.size() % 4 : 0;
    if (bytes.size() + fill > 0xFFFFFFFFu)
        throw Error("the text is longer than a record can hold (4 GiB)");
    ItemData item;
    item.type = type;
    bytes.resize(bytes.size() + fill, ' ');
    item.length = static_cast<uint32_t>(bytes.size());
    item.data = std::move(bytes);
    return item;
}

} // namespace lb
