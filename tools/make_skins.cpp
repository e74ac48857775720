// Draws the bundled skins and back pictures: 240 x 160, 8 bits per pixel, a full
// 256-entry colour table after a 40-byte info header. Run: make_skins DATA_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int W = 240, H = 160;
struct Rgb { double r, g, b; };

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A 6x7x6 colour cube and four greys; Bayer dithering hides its steps.
std::vector<Rgb> Palette() {
    std::vector<Rgb> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b) p.push_back({r * 51.0, g * 42.5, b * 51.0});
    for (int k = 1; k <= 4; ++k) p.push_back({k * 51.0 - 25, k * 51.0 - 25, k * 51.0 - 25});
    return p;
}

void Write(const std::string& path, const std::function<Rgb(int, int)>& draw) {
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    auto pal = Palette();
    std::vector<uint8_t> file(54 + 1024 + W * H, 0);
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) file[at + i] = (v >> (8 * i)) & 255;
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<uint32_t>(file.size()), 4);
    put(10, 54 + 1024, 4);
    put(14, 40, 4);
    put(18, W, 4);
    put(22, H, 4);
    put(26, 1, 2);
    put(28, 8, 2);
    put(34, W * H, 4);
    put(46, 256, 4);
    for (size_t k = 0; k < pal.size(); ++k) {
        file[54 + 4 * k] = static_cast<uint8_t>(pal[k].b);
        file[55 + 4 * k] = static_cast<uint8_t>(pal[k].g);
        file[56 + 4 * k] = static_cast<uint8_t>(pal[k].r);
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            Rgb c = draw(x, y);
            double d = (bayer[y % 4][x % 4] + 0.5) / 16.0 - 0.5;
            int r = std::clamp(static_cast<int>(std::lround(c.r / 51.0 + d)), 0, 5);
            int g = std::clamp(static_cast<int>(std::lround(c.g / 42.5 + d)), 0, 6);
            int b = std::clamp(static_cast<int>(std::lround(c.b / 51.0 + d)), 0, 5);
            file[54 + 1024 + (H - 1 - y) * W + x] = static_cast<uint8_t>(r * 42 + g * 6 + b);
        }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(file.data(), 1, file.size(), f) != file.size() || std::fclose(f)) {
        std::perror(path.c_str());
        std::exit(1);
    }
}

// Rolling hills below a sky, a sun low on the horizon.
Rgb Landscape(int x, int y, Rgb skyTop, Rgb skyLow, Rgb sun, Rgb hillFar, Rgb hillNear) {
    double fx = x / double(W), fy = y / double(H);
    Rgb c = Mix(skyTop, skyLow, fy / 0.7);
    double sd = std::hypot(x - 170.0, y - 92.0);
    if (sd < 16) c = sun; else c = Mix(c, sun, 0.35 * std::exp(-(sd - 16) / 22));
    double far = 0.62 + 0.05 * std::sin(fx * 7 + 1) + 0.03 * std::sin(fx * 17);
    double near = 0.78 + 0.06 * std::sin(fx * 4 + 2.5) + 0.02 * std::sin(fx * 23);
    if (fy > far) c = Mix(hillFar, c, 0.25 * (1 - (fy - far) * 6));
    if (fy > near) c = Mix(hillNear, hillFar, (1 - fy) * 2);
    return c;
}

// A soft panel on the picture where the menu rows go.
Rgb Panel(int x, int y, Rgb base, Rgb panel) {
    bool inside = x >= 16 && x < 224 && y >= 28 && y < 148;
    bool edge = inside && (x == 16 || x == 223 || y == 28 || y == 147);
    if (edge) return Mix(panel, {255, 255, 255}, 0.5);
    return inside ? Mix(base, panel, 0.75) : base;
}

// A band across the picture for the title.
Rgb Banner(int x, int y, Rgb base, Rgb band) {
    (void)x;
    if (y >= 30 && y < 62) return Mix(band, base, std::abs(y - 46) / 20.0);
    return base;
}

Rgb Paper(int x, int y, Rgb light, Rgb dark) {
    double n = 0.5 + 0.25 * std::sin(x * 0.9 + y * 0.3) * std::sin(y * 1.7 - x * 0.2);
    double v = std::hypot(x - W / 2.0, y - H / 2.0) / 150.0;
    return Mix(Mix(light, dark, v * v), dark, 0.08 * n);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skins DATA_FOLDER\n");
        return 2;
    }
    namespace fs = std::filesystem;
    fs::path data = argv[1];
    fs::create_directories(data / "Skins/Default");
    fs::create_directories(data / "Skins/Night");
    fs::create_directories(data / "Back");

    auto dawn = [](int x, int y) {
        return Landscape(x, y, {40, 70, 150}, {250, 170, 120}, {255, 230, 170}, {110, 80, 120},
                         {40, 60, 70});
    };
    auto night = [](int x, int y) {
        Rgb c = Landscape(x, y, {5, 10, 40}, {40, 50, 110}, {230, 230, 210}, {30, 35, 70},
                          {10, 15, 30});
        uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
        h = (h ^ (h >> 13)) * 1274126177u;
        if (y < 90 && (h >> 20) % 150 == 0) c = {255, 255, 230};
        return c;
    };
    Write((data / "Skins/Default/Title.Bmp").string(),
          [&](int x, int y) { return Banner(x, y, dawn(x, y), {255, 245, 220}); });
    Write((data / "Skins/Default/Menu.Bmp").string(),
          [&](int x, int y) { return Panel(x, y, dawn(x, y), {30, 40, 80}); });
    Write((data / "Skins/Night/Title.Bmp").string(),
          [&](int x, int y) { return Banner(x, y, night(x, y), {120, 140, 220}); });
    Write((data / "Skins/Night/Menu.Bmp").string(),
          [&](int x, int y) { return Panel(x, y, night(x, y), {10, 10, 30}); });
    Write((data / "Back/Default.Bmp").string(),
          [](int x, int y) { return Paper(x, y, {250, 244, 228}, {200, 180, 150}); });
    Write((data / "Back/Slate.Bmp").string(),
          [](int x, int y) { return Paper(x, y, {60, 70, 80}, {20, 25, 30}); });
    for (const char* skin : {"Default", "Night"}) {
        std::FILE* f = std::fopen((data / "Skins" / skin / "Skin.ini").c_str(), "wb");
        std::fputs("24\r\n36\r\n8\r\n", f);
        std::fclose(f);
    }
    return 0;
}
