#include "preview/Handheld.h"

#include "common/Error.h"

#include <cstdlib>
#include <filesystem>
// The library's build flags first: they decide the layout of struct mCore.
#include <mgba/flags.h>

#include <mgba/core/config.h>
#include <mgba/core/core.h>
#include <mgba/core/log.h>

namespace {

// The emulator's own messages (every BIOS call, for one) would fill the terminal.
void Silent(struct mLogger*, int, enum mLogLevel, const char*, va_list) {}
struct mLogger kSilent = {Silent, nullptr};

} // namespace

Handheld::Handheld(const std::string& rom) : frame_(kWidth * kHeight, 0) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(rom, ec)) throw lb::Error(rom + ": no such file");
    mLogSetDefaultLogger(&kSilent);
    core_ = mCoreFind(rom.c_str());
    if (!core_) throw lb::Error(rom + ": not a Game Boy Advance ROM the emulator knows");
    core_->init(core_);
    mCoreInitConfig(core_, nullptr);
    mCoreConfigSetIntValue(&core_->config, "mute", 1);
    core_->reloadConfigOption(core_, "mute", nullptr);
    core_->setVideoBuffer(core_, reinterpret_cast<color_t*>(frame_.data()), kWidth);
    if (!mCoreLoadFile(core_, rom.c_str())) {
        mCoreConfigDeinit(&core_->config);
        core_->deinit(core_);
        throw lb::Error(rom + ": the emulator cannot load it");
    }
    core_->reset(core_);
}

Handheld::~Handheld() {
    mCoreConfigDeinit(&core_->config);
    core_->deinit(core_);
}

void Handheld::Run(int frames) {
    for (int i = 0; i < frames; ++i) core_->runFrame(core_);
}

void Handheld::Reset() { core_->reset(core_); }

std::vector<uint8_t> Handheld::SaveData() const {
    void* bytes = nullptr;
    const size_t size = core_->savedataClone(core_, &bytes);
    std::vector<uint8_t> out(static_cast<uint8_t*>(bytes), static_cast<uint8_t*>(bytes) + size);
    free(bytes);
    return out;
}

void Handheld::SetSaveData(const std::vector<uint8_t>& bytes) {
    core_->savedataRestore(core_, bytes.data(), bytes.size(), false);
}

void Handheld::SetKeys(uint32_t keys) { core_->setKeys(core_, keys); }

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
        } else {
            change.mixed += seen[i] != before || change.framesToNew > 0;
        }
    }
    return change;
}
