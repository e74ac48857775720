#pragma once

// Zip archives the tests make: comic archives and EPUB books.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lbtest {

struct Member {
    std::string name;
    std::string bytes;
    uint64_t zeros = 0; // written after `bytes`
};

// A zip archive written with libarchive, deflated, the members in the order given.
void WriteZip(const std::filesystem::path& path, const std::vector<Member>& members);

} // namespace lbtest

namespace lbtest {

// A zip archive of stored members whose names are written byte for byte, marked as UTF-8
// (general purpose bit 11) or not, as old Windows zip tools wrote theirs in a code page.
std::string ZipWithNames(const std::vector<std::pair<std::string, std::string>>& members, bool utf8);

} // namespace lbtest
