// Times adding comic archives of 1,000, 10,000 and 100,000 small pages and EPUB books of
// 1,000 and 10,000 chapters to a menu, and building the 10,000-page archive's menu. Each
// archive is read once, so the times grow with the member count: aim, the 10,000-page archive
// added within 2 s; the 100,000-page one refused (past the menu's 65,535 entries) as quickly.
// Pass a count to time only that archive.
#include "../tests/TestZip.h"
#include "QuietProgress.h"
#include "assembly/Build.h"
#include "menu/AddFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// An 8 x 8 picture of 24 bits a pixel: a small page.
std::string SmallBmp(int seed) {
    std::string f(54 + 8 * 8 * 3, '\0');
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + i] = char((v >> (8 * i)) & 255);
    };
    f[0] = 'B';
    f[1] = 'M';
    put(2, uint32_t(f.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, 8, 4);
    put(22, 8, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (size_t i = 54; i < f.size(); ++i) f[i] = char(i * 7 + seed);
    return f;
}

std::string Chapter(int n) {
    return "<?xml version=\"1.0\"?><html "
           "xmlns=\"http://www.w3.org/1999/xhtml\"><body><h1>Chapter " +
           std::to_string(n) + "</h1><p>Some words of chapter " + std::to_string(n) +
           ".</p></body></html>";
}

std::vector<lbtest::Member> Book(int chapters) {
    std::string manifest, spine;
    std::vector<lbtest::Member> members{
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml",
         "<?xml version=\"1.0\"?><container version=\"1.0\" "
         "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles><rootfile "
         "full-path=\"content.opf\"/></rootfiles></container>"}};
    for (int k = 1; k <= chapters; ++k) {
        const std::string id = "c" + std::to_string(k);
        manifest += "<item id=\"" + id + "\" href=\"" + id +
                    ".xhtml\" media-type=\"application/xhtml+xml\"/>";
        spine += "<itemref idref=\"" + id + "\"/>";
        members.push_back({id + ".xhtml", Chapter(k)});
    }
    members.push_back(
        {"content.opf", "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" "
                        "version=\"3.0\"><metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
                        "<dc:title>Long</dc:title></metadata><manifest>" +
                            manifest + "</manifest><spine>" + spine + "</spine></package>"});
    return members;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Adds the archive to an empty menu; prints the time, the entries added and the first skip.
lb::ItemList TimeAdding(const fs::path& archive, const char* what, int count) {
    lb::ItemList menu;
    const auto t0 = std::chrono::steady_clock::now();
    const std::vector<lb::SkippedFile> skipped = lb::AddFile(menu, archive.string());
    std::printf("add %s of %d: %.3f s, %zu entries", what, count, Seconds(t0), menu.entries.size());
    if (!skipped.empty()) std::printf(", skipped: %s", skipped.front().reason.c_str());
    std::printf("\n");
    return menu;
}

} // namespace

int main(int argc, char** argv) {
    const int only = argc > 1 ? std::atoi(argv[1]) : 0;
    const fs::path dir = fs::temp_directory_path() / "lumenbrook-archive-bench";
    fs::remove_all(dir);
    fs::create_directories(dir / "Bin");
    std::ofstream(dir / "Bin/Eng.bin", std::ios::binary) << std::string(256, '\0');
    std::ofstream(dir / "skin.bmp", std::ios::binary) << SmallBmp(0);

    for (int count : {1000, 10000, 100000}) {
        if (only && count != only) continue;
        std::vector<lbtest::Member> pages;
        for (int k = 1; k <= count; ++k)
            pages.push_back({"page" + std::to_string(k) + ".bmp", SmallBmp(k)});
        const fs::path cbz = dir / ("pages" + std::to_string(count) + ".cbz");
        lbtest::WriteZip(cbz, pages);
        const lb::ItemList menu = TimeAdding(cbz, "a .cbz", count);
        if (count != 10000) continue;
        lb::BuildRequest r;
        r.programFolder = dir;
        r.font = 3;
        r.language = 1;
        r.titlePath = r.menuPath = r.backPath = (dir / "skin.bmp").string();
        r.layout = {8, 8, 8};
        r.outputPath = (dir / "out.gba").string();
        for (const lb::MenuEntry& e : menu.entries) r.entries.push_back({e.path, e.name});
        QuietProgress quiet;
        const auto t0 = std::chrono::steady_clock::now();
        lb::Conver(r, quiet);
        std::printf("build the .cbz of %d: %.3f s\n", count, Seconds(t0));
    }
    for (int count : {1000, 10000}) {
        if (only && count != only) continue;
        const fs::path epub = dir / ("book" + std::to_string(count) + ".epub");
        lbtest::WriteZip(epub, Book(count));
        TimeAdding(epub, "an .epub", count);
    }
    fs::remove_all(dir);
    return 0;
}
