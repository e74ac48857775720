// The emulator module: every use of libmgba.
#include "preview/EmulatorModule.h"

#include <cstdlib>
// The library's build flags first: they decide the layout of struct mCore.
#include <mgba/flags.h>

#include <mgba/core/config.h>
#include <mgba/core/core.h>
#include <mgba/core/log.h>

namespace lb {

namespace {

// The emulator's own messages (every BIOS call, for one) would fill the terminal.
void Silent(struct mLogger*, int, enum mLogLevel, const char*, va_list) {}
struct mLogger kSilent = {Silent, nullptr};

mCore* Core(void* core) {
    return static_cast<mCore*>(core);
}

void* Open(const std::string& rom, uint32_t* frame, std::string* error) {
    mLogSetDefaultLogger(&kSilent);
    mCore* core = mCoreFind(rom.c_str());
    if (!core) {
        *error = rom + ": not a Game Boy Advance ROM the emulator knows";
        return nullptr;
    }
    core->init(core);
    mCoreInitConfig(core, nullptr);
    mCoreConfigSetIntValue(&core->config, "mute", 1);
    core->reloadConfigOption(core, "mute", nullptr);
    core->setVideoBuffer(core, reinterpret_cast<color_t*>(frame), 240);
    if (!mCoreLoadFile(core, rom.c_str())) {
        mCoreConfigDeinit(&core->config);
        core->deinit(core);
        *error = rom + ": the emulator cannot load it";
        return nullptr;
    }
    core->reset(core);
    return core;
}

constexpr EmulatorModule kModule{
    kEmulatorModuleVersion,
    Open,
    [](void* core) {
        mCoreConfigDeinit(&Core(core)->config);
        Core(core)->deinit(Core(core));
    },
    [](void* core, int frames) {
        for (int i = 0; i < frames; ++i) Core(core)->runFrame(Core(core));
    },
    [](void* core) { Core(core)->reset(Core(core)); },
    [](void* core) {
        void* bytes = nullptr;
        const size_t size = Core(core)->savedataClone(Core(core), &bytes);
        std::vector<uint8_t> out(static_cast<uint8_t*>(bytes), static_cast<uint8_t*>(bytes) + size);
        free(bytes);
        return out;
    },
    [](void* core, const std::vector<uint8_t>& bytes) {
        Core(core)->savedataRestore(Core(core), bytes.data(), bytes.size(), false);
    },
    [](void* core, uint32_t keys) { Core(core)->setKeys(Core(core), keys); },
};

} // namespace

} // namespace lb

extern "C" __attribute__((visibility("default"))) const lb::EmulatorModule*
lumenbrook_emulator_module() {
    return &lb::kModule;
}
