#include "items/PhotoReader.h"

#include <cstring>

namespace lb {

bool IsPhotoContent(std::span<const uint8_t> head) {
    auto starts = [&](const char* magic, size_t n, size_t at = 0) {
        return head.size() >= at + n && std::memcmp(head.data() + at, magic, n) == 0;
    };
    // HEIF (a phone's HEIC) and AVIF: an ISO box "ftyp" naming one of their brands.
    bool heif = false;
    for (const char* brand : {"heic", "heix", "hevc", "heim", "heis", "mif1", "msf1", "avif", "avis"})
        heif = heif || (starts("ftyp", 4, 4) && starts(brand, 4, 8));
    return starts("\xFF\xD8\xFF", 3) || starts("\x89PNG\r\n\x1A\n", 8) || starts("GIF87a", 6) ||
           starts("GIF89a", 6) || (starts("RIFF", 4) && starts("WEBP", 4, 8)) ||
           starts("II*\0", 4) || starts("MM\0*", 4) || heif ||
           starts("\xFF\x0A", 2) || starts("\0\0\0\x0CJXL \r\n\x87\n", 12); // JPEG XL, bare or boxed
}

} // namespace lb
