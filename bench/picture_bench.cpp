// Builds a ROM of photographs fitted to the screen, beside the script a user would otherwise
// run: ImageMagick's `convert -resize 240x160 -colors 256 BMP3:` for each, then a build of
// the bitmaps. The photographs (12 megapixels, four scenes repeated) are made with ImageMagick
// first. Aim: at least 10 times faster than the script.
//   picture_bench PROGRAM-FOLDER [COUNT]   (COUNT photographs, 100 by default)
#include "QuietProgress.h"
#include "assembly/Build.h"
#include "common/ProgramNames.h"
#include "skins/SkinFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

double Build(const fs::path& home, const std::vector<fs::path>& files, const fs::path& out) {
    lb::BuildRequest r;
    r.programFolder = home;
    r.font = 3;
    r.language = 1;
    lb::SkinPaths skin = lb::SkinPathsFor(home, lb::kDefaultSkinName, lb::kDefaultBackName);
    r.titlePath = skin.TitlePath;
    r.menuPath = skin.MenuPath;
    r.backPath = skin.BackPath;
    r.layout = {24, 36, 8};
    r.outputPath = out.string();
    for (const fs::path& f : files) r.entries.push_back({f.string(), f.stem().string()});
    QuietProgress quiet;
    auto t0 = std::chrono::steady_clock::now();
    lb::Conver(r, quiet);
    return Seconds(t0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: picture_bench PROGRAM-FOLDER [COUNT]\n");
        return 2;
    }
    const fs::path home = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 100;
    const fs::path dir = fs::temp_directory_path() / "lumenbrook-picture-bench";
    fs::remove_all(dir);
    fs::create_directories(dir / "bmp");
    std::vector<fs::path> photos, bitmaps;
    for (int k = 0; k < count; ++k) {
        const fs::path photo = dir / ("photo" + std::to_string(k) + ".jpg");
        if (k < 4) {
            if (!Run("convert -size 4000x3000 plasma: -seed " + std::to_string(k) + " -quality 90 " + photo.string())) {
                std::fprintf(stderr, "picture_bench: ImageMagick's convert is needed\n");
                return 1;
            }
        } else {
            fs::copy_file(photos[size_t(k % 4)], photo);
        }
        photos.push_back(photo);
    }
    std::printf("%d photographs of 4000 x 3000 made; %u cores\n", count, std::thread::hardware_concurrency());

    const double ours = Build(home, photos, dir / "photos.gba");
    std::printf("lumenbrook build, fitted:           %7.2f s\n", ours);

    auto t0 = std::chrono::steady_clock::now();
    for (const fs::path& photo : photos) {
        const fs::path bmp = dir / "bmp" / (photo.stem().string() + ".bmp");
        Run("convert " + photo.string() + " -resize 240x160 -colors 256 BMP3:" + bmp.string());
        bitmaps.push_back(bmp);
    }
    const double script = Seconds(t0) + Build(home, bitmaps, dir / "bitmaps.gba");
    std::printf("convert for each, then a build:     %7.2f s\n", script);
    std::printf("%.1f times faster (aim: at least 10)\n", script / ours);
    fs::remove_all(dir);
    return 0;
}
