#include "TestFiles.h"

#include "common/Error.h"
#include "common/Files.h"

#include <fstream>
#include <iconv.h>
#include <stdexcept>
#include <random>

namespace lbtest {

TempFolder::TempFolder() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("lumenbrook-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    fs::path p = path_ / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return p.string();
}

std::string TempFolder::Write(const std::string& name, const std::string& text) const {
    return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> ReplacingTemporaries(const fs::path& folder) {
    std::vector<std::string> found;
    for (auto& e : fs::directory_iterator(folder))
        if (lb::IsReplacingFileTemporary(e.path().filename().string())) found.push_back(e.path().string());
    return found;
}

std::vector<uint8_t> MakeBmp(const BmpFields& s) {
    std::vector<uint8_t> f(14 + s.headerSize, 0);
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + i] = (v >> (8 * i)) & 255;
    };
    uint32_t off = static_cast<uint32_t>(14 + s.headerSize + s.palette.size());
    f[0] = 'B';
    f[1] = 'M';
    put(2, off + static_cast<uint32_t>(s.pixels.size()), 4);
    put(10, off, 4);
    put(14, s.headerSize, 4);
    put(18, static_cast<uint32_t>(s.width), 4);
    put(22, static_cast<uint32_t>(s.height), 4);
    put(26, 1, 2);
    put(28, s.bitCount, 2);
    put(30, s.compression, 4);
    put(46, s.coloursUsed, 4);
    f.insert(f.end(), s.palette.begin(), s.palette.end());
    f.insert(f.end(), s.pixels.begin(), s.pixels.end());
    return f;
}

std::string ErrorOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const lb::Error& e) {
        return e.what();
    }
    return "";
}

} // namespace lbtest

namespace lbtest {

std::string Encoded(const std::string& utf8, const char* charset) {
    iconv_t cd = iconv_open(charset, "UTF-8");
    std::string in = utf8, out(utf8.size() * 4, '\0');
    char* from = in.data();
    char* to = out.data();
    size_t left = in.size(), room = out.size();
    const size_t done = iconv(cd, &from, &left, &to, &room);
    iconv_close(cd);
    if (done == size_t(-1)) throw std::runtime_error(utf8 + " is not all in " + charset);
    out.resize(out.size() - room);
    return out;
}

} // namespace lbtest
