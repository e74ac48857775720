// Builds a ROM of photographs fitted to the screen, beside the script a user would otherwise
// run: ImageMagick's `convert -resize 240x160 -colors 256 BMP3:` for each, then a build of
// the bitmaps. The photographs (12 megapixels, four scenes repeated) are made with ImageMagick
// first. Aim: at least 10 times faster than the script.
// Then it adds and builds a 200-page comic archive and a 200-page PDF of scanned-looking pages
// (1200 x 1800 with white margins, every tenth a double-page spread) on one core, margins
// trimmed and spreads split. Aim: at least 10 pages a second each.
//   picture_bench PROGRAM-FOLDER [COUNT]   (COUNT photographs, 100 by default)
#include "../tests/TestPdf.h"
#include "QuietProgress.h"
#include "assembly/Build.h"
#include "common/ProgramNames.h"
#include "menu/AddFile.h"
#include "skins/SkinFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

double Build(const fs::path& home, std::vector<lb::BuildEntry> entries, const fs::path& out,
             const lb::PictureOptions& pictures = {}) {
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
    r.entries = std::move(entries);
    r.pictures = pictures;
    QuietProgress quiet;
    auto t0 = std::chrono::steady_clock::now();
    lb::Conver(r, quiet);
    return Seconds(t0);
}

std::vector<lb::BuildEntry> EntriesOf(const std::vector<fs::path>& files) {
    std::vector<lb::BuildEntry> entries;
    for (const fs::path& f : files) entries.push_back({f.string(), f.stem().string()});
    return entries;
}

// Adds the comic to a menu and builds it, on the one core the process is held to.
void TimeComic(const fs::path& home, const fs::path& comic, int pages) {
    lb::ItemList menu(3);
    const auto t0 = std::chrono::steady_clock::now();
    const std::vector<lb::SkippedFile> skipped = lb::AddFile(menu, comic.string());
    const double adding = Seconds(t0);
    const double building = Build(home, menu.ForBuild(), comic.string() + ".gba", menu.pictures);
    std::printf("%-10s %d pages, %zu entries: add %.2f s, build %.2f s: %.1f pages a second%s\n",
                comic.filename().c_str(), pages, menu.entries.size() - 1, adding, building,
                pages / (adding + building), skipped.empty() ? "" : " (some skipped)");
}

// A PDF as a scanner or an image-to-PDF tool writes one: each page one JPEG, a pixel a point.
void WriteJpegPdf(const fs::path& out, const std::vector<std::pair<std::string, std::pair<int, int>>>& pages) {
    std::string kids;
    for (size_t k = 0; k < pages.size(); ++k) kids += std::to_string(3 + 3 * k) + " 0 R ";
    std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>",
                                     "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>"};
    for (size_t k = 0; k < pages.size(); ++k) {
        const auto& [jpeg, size] = pages[k];
        const std::string w = std::to_string(size.first), h = std::to_string(size.second);
        const std::string draw = "q " + w + " 0 0 " + h + " 0 0 cm /Im Do Q";
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + w + " " + h +
                          "] /Resources << /XObject << /Im " + std::to_string(5 + 3 * k) + " 0 R >> >> /Contents " +
                          std::to_string(4 + 3 * k) + " 0 R >>");
        objects.push_back("<< /Length " + std::to_string(draw.size()) + " >>\nstream\n" + draw + "\nendstream");
        objects.push_back("<< /Type /XObject /Subtype /Image /Width " + w + " /Height " + h +
                          " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode /Length " +
                          std::to_string(jpeg.size()) + " >>\nstream\n" + jpeg + "\nendstream");
    }
    std::ofstream(out, std::ios::binary) << lbtest::PdfOf(objects);
}

// 200 pages: a margin of white round plasma "art", every tenth page a spread twice as wide.
bool TimeComics(const fs::path& home, const fs::path& dir) {
    const fs::path pages = dir / "pages";
    fs::create_directories(pages);
    const char* kinds[][2] = {{"page", "1200x1800"}, {"spread", "2400x1800"}};
    for (auto& [name, size] : kinds) {
        const fs::path file = dir / (std::string(name) + ".jpg");
        if (!Run(std::string("convert -size ") + size + " plasma: -seed 5 -bordercolor white -border 90 -quality 85 " +
                 file.string()))
            return false;
    }
    auto bytes = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string page = bytes(dir / "page.jpg"), spread = bytes(dir / "spread.jpg");
    std::vector<std::pair<std::string, std::pair<int, int>>> pdfPages;
    for (int k = 1; k <= 200; ++k) {
        const bool wide = k % 10 == 0;
        fs::copy_file(dir / (wide ? "spread.jpg" : "page.jpg"), pages / ("p" + std::to_string(k) + ".jpg"));
        pdfPages.push_back({wide ? spread : page, {wide ? 2580 : 1380, 1980}});
    }
    WriteJpegPdf(dir / "comic.pdf", pdfPages);
    if (!Run("cd " + pages.string() + " && zip -q -0 ../comic.cbz *.jpg")) return false;
    // One core: the build's picture threads all run on it.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(0, &one);
    sched_setaffinity(0, sizeof one, &one);
    TimeComic(home, dir / "comic.cbz", 200);
    TimeComic(home, dir / "comic.pdf", 200);
    return true;
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

    const double ours = Build(home, EntriesOf(photos), dir / "photos.gba");
    std::printf("lumenbrook build, fitted:           %7.2f s\n", ours);

    auto t0 = std::chrono::steady_clock::now();
    for (const fs::path& photo : photos) {
        const fs::path bmp = dir / "bmp" / (photo.stem().string() + ".bmp");
        Run("convert " + photo.string() + " -resize 240x160 -colors 256 BMP3:" + bmp.string());
        bitmaps.push_back(bmp);
    }
    const double script = Seconds(t0) + Build(home, EntriesOf(bitmaps), dir / "bitmaps.gba");
    std::printf("convert for each, then a build:     %7.2f s\n", script);
    std::printf("%.1f times faster (aim: at least 10)\n", script / ours);
    if (!TimeComics(home, dir)) std::fprintf(stderr, "picture_bench: convert and zip are needed\n");
    fs::remove_all(dir);
    return 0;
}
