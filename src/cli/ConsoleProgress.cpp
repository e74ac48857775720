#include "cli/ConsoleProgress.h"

#include "common/DisplayWidth.h"
#include "common/TerminalText.h"

#include <cstdio>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace lb {

namespace {

size_t TerminalColumns() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

} // namespace

std::string FitColumns(const std::string& text, size_t columns) {
    size_t used = 0, at = 0;
    while (at < text.size()) {
        size_t length;
        const uint32_t code = Utf8CodeAt(text, at, &length);
        const size_t width = IsWideCharacter(code) ? 2 : 1;
        if (used + width > columns) break;
        used += width;
        at += length;
    }
    return text.substr(0, std::min(at, text.size()));
}

ConsoleProgress::ConsoleProgress(bool quiet, std::vector<std::string> names)
    : quiet_(quiet), names_(std::move(names)), terminal_(isatty(STDOUT_FILENO) == 1),
      columns_(terminal_ ? TerminalColumns() : 0) {}

void ConsoleProgress::LogLine(const std::string& line, const std::string&) {
    Line(line);
}

void ConsoleProgress::EntryStarted(int index, int, const std::string& counter) {
    if (quiet_) return;
    if (!terminal_) return Line(counter);
    std::string shown = TerminalText(counter);
    if (index >= 0 && size_t(index) < names_.size())
        shown += "  " + TerminalText(names_[size_t(index)]);
    // One column spare: a line that fills the last one wraps on some terminals.
    std::cout << "\r" << FitColumns(shown, columns_ - 1) << "\x1b[K" << std::flush;
    counterShown_ = true;
}

void ConsoleProgress::Warning(const std::string& text) {
    EndCounter();
    std::cerr << "warning: " << TerminalText(text) << "\n";
}

void ConsoleProgress::Finished(const std::string& caption) {
    Line(caption);
}

void ConsoleProgress::Line(const std::string& text) {
    if (quiet_) return;
    EndCounter();
    std::cout << TerminalText(text) << std::endl;
}

// Clears the counter's line, so what comes next starts on a line of its own.
void ConsoleProgress::EndCounter() {
    if (!counterShown_) return;
    std::cout << "\r\x1b[K" << std::flush;
    counterShown_ = false;
}

} // namespace lb
