#include "Handheld.h"

#include <mgba/core/core.h>
#include <stdexcept>

Handheld::Handheld(const std::string& rom) : frame_(240 * 160, 0) {
    core_ = mCoreFind(rom.c_str());
    if (!core_) throw std::runtime_error(rom + ": no emulator core takes this file");
    core_->init(core_);
    mCoreInitConfig(core_, nullptr);
    core_->setVideoBuffer(core_, reinterpret_cast<color_t*>(frame_.data()), 240);
    if (!mCoreLoadFile(core_, rom.c_str())) {
        core_->deinit(core_);
        throw std::runtime_error(rom + ": the emulator cannot load it");
    }
    core_->reset(core_);
}

Handheld::~Handheld() { core_->deinit(core_); }

void Handheld::Run(int frames) {
    for (int i = 0; i < frames; ++i) core_->runFrame(core_);
}

void Handheld::Press(uint32_t keys) {
    core_->setKeys(core_, keys);
    Run(4);
    core_->setKeys(core_, 0);
    Run(4);
}

uint16_t Handheld::Pixel(int x, int y) const {
    uint32_t c = frame_[static_cast<size_t>(y) * 240 + static_cast<size_t>(x)];
    // The emulator stores each 5-bit channel c as the byte (c << 3) | (c >> 2).
    unsigned r = (c >> 3) & 31, g = (c >> 11) & 31, b = (c >> 19) & 31;
    return static_cast<uint16_t>(r | g << 5 | b << 10);
}
