#pragma once

// The edge between lumenbrook-cli and the preview module (liblumenbrook_preview.so), which
// alone links libmgba there: the command line loads it only for `preview`.
#include "preview/KeyScript.h"

#include <string>
#include <vector>

namespace lb {

inline constexpr int kPreviewModuleVersion = 1;

// Runs `rom` headless, following `steps` (the whole script, also when it is longer than
// `frames`) and at least `frames` frames, and writes the last frame to `png` at `scale`.
struct PreviewRun {
    std::string rom;
    std::vector<KeyStep> steps;
    int frames = 120;
    std::string png;
    int scale = 1;
};

struct PreviewModule {
    int version; // kPreviewModuleVersion of the module's build
    // False with the message when the ROM cannot be run or the picture not written.
    bool (*run)(const PreviewRun& run, std::string* error);
};

} // namespace lb

extern "C" const lb::PreviewModule* lumenbrook_preview_module();
