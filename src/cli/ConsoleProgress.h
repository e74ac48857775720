#pragma once

#include "assembly/Build.h"

#include <string>
#include <vector>

namespace lb {

// A build's progress on the console. Through a pipe or into a file each counter is a line of
// its own, as scripts read them; on a terminal the counter, with the entry's name after it,
// is one line written over in place, so a build of hundreds of entries ends with a handful
// of lines. Warnings go to standard error.
class ConsoleProgress : public BuildProgress {
  public:
    // `names`: the entries' menu names, by index.
    ConsoleProgress(bool quiet, std::vector<std::string> names);

    void LogLine(const std::string& line, const std::string&) override;
    void EntryStarted(int index, int count, const std::string& counter) override;
    void Warning(const std::string& text) override;
    void Finished(const std::string& caption) override;

  private:
    void Line(const std::string& text);
    void EndCounter();

    bool quiet_;
    std::vector<std::string> names_;
    bool terminal_;
    size_t columns_;
    bool counterShown_ = false;
};

// The longest start of `text` (UTF-8) that takes at most `columns` terminal columns, East
// Asian wide characters taking two.
std::string FitColumns(const std::string& text, size_t columns);

} // namespace lb
