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
