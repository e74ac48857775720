#include "items/PhotoReader.h"

#include <cstring>

namespace lb {

bool IsPhotoContent(std::span<const uint8_t> head) {
    auto starts = [&](const char* magic, size_t n, size_t at = 0) {
        return head.size() >= at + n && std::memcmp(head.data() + at, magic, n) == 0;
    };
    return starts("\xFF\xD8\xFF", 3) || starts("\x89PNG\r\n\x1A\n", 8) || starts("GIF87a", 6) ||
           starts("GIF89a", 6) || (starts("RIFF", 4) && starts("WEBP", 4, 8)) ||
           starts("II*\0", 4) || starts("MM\0*", 4);
}

} // namespace lb
