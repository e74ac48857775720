#pragma once

#include "assembly/BuildRequest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lb {

// Where the build reports what it does. Each call carries the whole text to show.
class BuildProgress {
public:
    virtual ~BuildProgress() = default;
    // The progress log grew by one line (`log` is all of it, each line ending CR LF).
    virtual void LogLine(const std::string& line, const std::string& log) = 0;
    // Entry `index` (0-based) of `count` starts; `counter` is the text after the log.
    virtual void EntryStarted(int index, int count, const std::string& counter) = 0;
    virtual void Warning(const std::string& text) = 0;
    // The build is done; `caption` is the final text after the log.
    virtual void Finished(const std::string& caption) = 0;
};

struct BuildResult {
    uint64_t size = 0;             // bytes in the image
    uint64_t recordsEnd = 0;       // offset after the last record
    std::vector<int> replacedChars; // per entry: name characters the code page lacks
};

// Builds the ROM image. The output appears complete or not at all: on failure an lb::Error
// names the entry (1-based position and path) or file and the cause, and an earlier file at
// the output path is left as it was.
BuildResult Conver(const BuildRequest& request, BuildProgress& progress);

// Refuses, naming both, an output that is the same file as one of `inputs`: writing it would
// destroy what the build reads. Throws lb::Error.
void RefuseOutputAmongInputs(const std::string& output, const std::vector<std::string>& inputs);

} // namespace lb
