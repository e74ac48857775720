#include "preview/Handheld.h"

#include "common/Error.h"
#include "common/Module.h"
#include "preview/EmulatorModule.h"

#include <algorithm>
#include <filesystem>

namespace {

const lb::EmulatorModule& Emulator() {
    static const lb::EmulatorModule* module = [] {
        auto get = reinterpret_cast<decltype(&lumenbrook_emulator_module)>(
            lb::ModuleSymbol("liblumenbrook_handheld.so", "lumenbrook_emulator_module"));
        const lb::EmulatorModule* found = get();
        if (found->version != lb::kEmulatorModuleVersion)
            throw lb::Error("liblumenbrook_handheld.so: it is from another build of the program");
        return found;
    }();
    return *module;
}

} // namespace

Handheld::Handheld(const std::string& rom) : frame_(kWidth * kHeight, 0) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(rom, ec)) throw lb::Error(rom + ": no such file");
    std::string error;
    core_ = Emulator().open(rom, frame_.data(), &error);
    if (!core_) throw lb::Error(error);
}

Handheld::~Handheld() {
    Emulator().close(core_);
}

void Handheld::Run(int frames) {
    Emulator().run(core_, frames);
}

void Handheld::Reset() {
    Emulator().reset(core_);
}

std::vector<uint8_t> Handheld::SaveData() const {
    return Emulator().saveData(core_);
}

void Handheld::SetSaveData(const std::vector<uint8_t>& bytes) {
    Emulator().setSaveData(core_, bytes);
}

void Handheld::SetKeys(uint32_t keys) {
    Emulator().setKeys(core_, keys);
}

void Handheld::Press(uint32_t keys) {
    SetKeys(keys);
    Run(4);
    SetKeys(0);
    Run(4);
}

uint16_t Handheld::Pixel(int x, int y) const {
    uint32_t c = frame_[static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)];
    // The emulator stores each 5-bit channel c as the byte (c << 3) | (c >> 2).
    unsigned r = (c >> 3) & 31, g = (c >> 11) & 31, b = (c >> 19) & 31;
    return static_cast<uint16_t>(r | g << 5 | b << 10);
}

ScreenChange WatchKeyPress(Handheld& handheld, uint32_t keys, int frames) {
    const std::vector<uint32_t> before = handheld.Frame();
    std::vector<std::vector<uint32_t>> seen;
    handheld.SetKeys(keys);
    for (int i = 0; i < frames; ++i) {
        handheld.Run(1);
        seen.push_back(handheld.Frame());
        if (i == 1) handheld.SetKeys(0);
    }
    ScreenChange change;
    for (size_t i = 0; i < seen.size(); ++i) {
        if (seen[i] == seen.back()) {
            if (change.framesToNew < 0) change.framesToNew = static_cast<int>(i) + 1;
        } else if (seen[i] != before || change.framesToNew > 0) {
            const bool black = std::all_of(seen[i].begin(), seen[i].end(),
                                           [](uint32_t p) { return (p & 0xFFFFFFu) == 0; });
            (black ? change.black : change.mixed) += 1;
        }
    }
    return change;
}
