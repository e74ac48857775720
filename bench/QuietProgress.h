#pragma once

#include "assembly/Build.h"

// A build's progress that shows nothing, so that only the build is timed.
class QuietProgress : public lb::BuildProgress {
    void LogLine(const std::string&, const std::string&) override {}
    void EntryStarted(int, int, const std::string&) override {}
    void Warning(const std::string&) override {}
    void Finished(const std::string&) override {}
};
