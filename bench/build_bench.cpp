// Builds a ROM of about 32 MiB from 8-bit and 24-bit 240x160 pictures and large texts, and
// prints the build time beside the time of a plain copy of as many bytes. Aim: within 2x.
#include "QuietProgress.h"
#include "build/Build.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

void Put(std::vector<uint8_t>& f, size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f[at + i] = (v >> (8 * i)) & 255;
}

std::vector<uint8_t> Bmp(int bits) {
    const int w = 240, h = 160, pal = bits == 8 ? 1024 : 0, stride = w * bits / 8;
    std::vector<uint8_t> f(54 + pal + stride * h);
    f[0] = 'B';
    f[1] = 'M';
    Put(f, 10, 54 + pal, 4);
    Put(f, 14, 40, 4);
    Put(f, 18, w, 4);
    Put(f, 22, h, 4);
    Put(f, 26, 1, 2);
    Put(f, 28, bits, 2);
    for (size_t i = 54; i < f.size(); ++i) f[i] = static_cast<uint8_t>(i * 31);
    return f;
}

void Save(const fs::path& p, const std::vector<uint8_t>& b) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main() {
    fs::path dir = fs::temp_directory_path() / "lumenbrook-bench";
    fs::remove_all(dir);
    fs::create_directories(dir / "Bin");
    Save(dir / "Bin/Eng.bin", std::vector<uint8_t>(256, 0));
    Save(dir / "skin.bmp", Bmp(8));
    Save(dir / "p8.bmp", Bmp(8));
    Save(dir / "p24.bmp", Bmp(24));
    Save(dir / "big.txt", std::vector<uint8_t>(4 << 20, 'x'));

    lb::BuildRequest r;
    r.programFolder = dir;
    r.font = 3;
    r.language = 1;
    r.titlePath = r.menuPath = r.backPath = (dir / "skin.bmp").string();
    r.layout = {8, 8, 8};
    r.outputPath = (dir / "out.gba").string();
    for (int i = 0; i < 200; ++i) r.entries.push_back({(dir / "p8.bmp").string(), "p8"});
    for (int i = 0; i < 200; ++i) r.entries.push_back({(dir / "p24.bmp").string(), "p24"});
    for (int i = 0; i < 2; ++i) r.entries.push_back({(dir / "big.txt").string(), "big"});

    QuietProgress quiet;
    auto t0 = std::chrono::steady_clock::now();
    lb::BuildResult result = lb::Conver(r, quiet);
    double build = Seconds(t0);

    // The plain copy: write as many bytes through one buffer and sync, as the build does.
    std::vector<uint8_t> bytes(static_cast<size_t>(result.size), 0x5A);
    t0 = std::chrono::steady_clock::now();
    std::FILE* f = std::fopen((dir / "copy.bin").c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    fsync(fileno(f));
    std::fclose(f);
    double copy = Seconds(t0);

    std::printf("image %.1f MiB: build %.3f s, plain copy %.3f s, ratio %.2f (aim: at most 2)\n",
                result.size / 1048576.0, build, copy, build / copy);
    fs::remove_all(dir);
    return 0;
}
