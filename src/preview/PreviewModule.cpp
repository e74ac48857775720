#include "preview/PreviewModule.h"

#include "preview/FramePng.h"
#include "preview/Handheld.h"

namespace lb {

namespace {

void Run(const PreviewRun& run) {
    Handheld handheld(run.rom);
    int64_t ran = 0;
    for (const KeyStep& step : run.steps) {
        handheld.Run(step.frames);
        ran += step.frames;
        if (!step.keys) continue;
        handheld.SetKeys(step.keys);
        handheld.Run(1);
        handheld.SetKeys(0);
        ++ran;
    }
    if (ran < run.frames) handheld.Run(static_cast<int>(run.frames - ran));
    WriteFramePng(run.png, handheld.Frame(), run.scale);
}

constexpr PreviewModule kModule{kPreviewModuleVersion,
                                [](const PreviewRun& run, std::string* error) {
                                    try {
                                        Run(run);
                                        return true;
                                    } catch (const std::exception& e) {
                                        *error = e.what();
                                        return false;
                                    }
                                }};

} // namespace

} // namespace lb

extern "C" __attribute__((visibility("default"))) const lb::PreviewModule*
lumenbrook_preview_module() {
    return &lb::kModule;
}
