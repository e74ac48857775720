// Builds a ROM of about 30 MiB from 8-bit and 24-bit 240x160 pictures and large texts, in
// this process and as a user does (lumenbrook-cli build of a menu list, start-up included),
// and prints those times beside a copy of as many bytes synced to disk (dd conv=fsync), each
// the median of five rounds run side by side. Aims: the command within 1.3 times the synced
// copy; the start-up of `lumenbrook-cli --help` under 15 ms and of the desktop window under
// 300 ms.
#include "QuietProgress.h"
#include "assembly/Build.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
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

fs::path HereFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// Processor seconds (user and system) of the children waited for so far.
double ChildrenProcessorSeconds() {
    rusage use{};
    getrusage(RUSAGE_CHILDREN, &use);
    return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
           double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// The median time of `rounds` runs of each of the commands, run in turn round after round;
// `processors` receives, for each, its processor seconds over its wall seconds in all rounds.
std::vector<double> MedianSeconds(const std::vector<std::string>& commands, int rounds,
                                  std::vector<double>* processors = nullptr) {
    std::vector<std::vector<double>> times(commands.size());
    std::vector<double> busy(commands.size()), wall(commands.size());
    for (int r = 0; r < rounds; ++r)
        for (size_t c = 0; c < commands.size(); ++c) {
            auto t0 = std::chrono::steady_clock::now();
            const double cpu0 = ChildrenProcessorSeconds();
            if (std::system(commands[c].c_str()) != 0)
                std::fprintf(stderr, "failed: %s\n", commands[c].c_str());
            times[c].push_back(Seconds(t0));
            busy[c] += ChildrenProcessorSeconds() - cpu0;
            wall[c] += times[c].back();
        }
    if (processors)
        for (size_t c = 0; c < commands.size(); ++c) processors->push_back(busy[c] / wall[c]);
    std::vector<double> medians;
    for (auto& t : times) {
        std::sort(t.begin(), t.end());
        medians.push_back(t[t.size() / 2]);
    }
    return medians;
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

    // The same build as a user runs it, and a synced copy of as many bytes.
    for (const char* part : {"Skins/Default", "Back"}) fs::create_directories(dir / part);
    for (const char* picture :
         {"Skins/Default/Title.Bmp", "Skins/Default/Menu.Bmp", "Back/Default.Bmp"})
        fs::copy_file(dir / "skin.bmp", dir / picture);
    Save(dir / "Skins/Default/Skin.ini", std::vector<uint8_t>{'8', ' ', '8', ' ', '8'});
    {
        std::ofstream list(dir / "menu.lkm", std::ios::binary);
        for (const lb::BuildEntry& e : r.entries) list << e.path << "\r\n";
    }
    const fs::path here = HereFolder();
    const std::string q = "'", cli = q + (here / "lumenbrook-cli").string() + q;
    const std::string command = cli + " build -q --home " + q + dir.string() + q + " --font 3 -o " +
                                q + (dir / "cli.gba").string() + q + " " + q +
                                (dir / "menu.lkm").string() + q;
    const std::string copy = "dd status=none conv=fsync bs=1M if=" + q +
                             (dir / "out.gba").string() + q + " of=" + q +
                             (dir / "copy.bin").string() + q;
    std::vector<double> processors;
    const std::vector<double> times = MedianSeconds({command, copy}, 5, &processors);
    std::printf(
        "image %.1f MiB: build in this process %.3f s; lumenbrook-cli build %.3f s using %.2f "
        "processors, dd conv=fsync %.3f s, ratio %.2f (aim: at most 1.3)\n",
        result.size / 1048576.0, build, times[0], processors[0], times[1], times[0] / times[1]);

    const double help = MedianSeconds({cli + " --help > /dev/null"}, 21)[0];
    std::printf("start-up: lumenbrook-cli --help %.1f ms (aim: under 15)\n", help * 1000);
    const fs::path desktop = here / "lumenbrook";
    if (fs::exists(desktop)) {
        const std::string shown = "QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} " + q +
                                  desktop.string() + q + " --exit-when-shown > /dev/null 2>&1";
        std::printf("start-up: the desktop window shown %.0f ms (aim: under 300)\n",
                    MedianSeconds({shown}, 5)[0] * 1000);
    }
    fs::remove_all(dir);
    return 0;
}
