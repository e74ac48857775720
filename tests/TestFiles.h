#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lbtest {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const fs::path& Path() const { return path_; }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::string Write(const std::string& name, const std::string& text) const;

private:
    fs::path path_;
};

std::vector<uint8_t> ReadBytes(const fs::path& path);

// The paths of the temporary files a ROM or settings writer left in `folder`.
std::vector<std::string> ReplacingTemporaries(const fs::path& folder);

// The message of the lb::Error that `run` throws; empty when it throws none.
std::string ErrorOf(const std::function<void()>& run);

// The UTF-8 text in `charset`, as a tool of that code page writes it.
std::string Encoded(const std::string& utf8, const char* charset);

// A bitmap file with a 40-byte info header written by hand, uncompressed.
// `rows` are the file's own rows (bottom first unless `height` < 0), already padded.
struct BmpFields {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    std::vector<uint8_t> palette; // 4 bytes an entry
    std::vector<uint8_t> pixels;  // as stored in the file
    uint32_t headerSize = 40;
    uint32_t coloursUsed = 0; // the header's count of colour table entries; 0: all of them
};
std::vector<uint8_t> MakeBmp(const BmpFields& fields);

} // namespace lbtest
