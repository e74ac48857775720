#pragma once

// The edge between Handheld and the emulator module (liblumenbrook_handheld.so), which alone
// links libmgba: opened when the first handheld starts, so that nothing else loads libmgba and
// the libraries it pulls in. Failures come back as messages, not exceptions.
#include <cstdint>
#include <string>
#include <vector>

namespace lb {

inline constexpr int kEmulatorModuleVersion = 1;

struct EmulatorModule {
    int version; // kEmulatorModuleVersion of the module's build
    // A running handheld drawing into `frame` (240 x 160, as Handheld::Frame), or null with
    // the message.
    void* (*open)(const std::string& rom, uint32_t* frame, std::string* error);
    void (*close)(void* core);
    void (*run)(void* core, int frames);
    void (*reset)(void* core);
    std::vector<uint8_t> (*saveData)(void* core);
    void (*setSaveData)(void* core, const std::vector<uint8_t>& bytes);
    void (*setKeys)(void* core, uint32_t keys);
};

} // namespace lb

extern "C" const lb::EmulatorModule* lumenbrook_emulator_module();
