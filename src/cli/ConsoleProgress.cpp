#include "cli/ConsoleProgress.h"

#include "common/TerminalText.h"

#include <cstdio>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace lb {

namespace {

bool Wide(uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

size_t TerminalColumns() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

} // namespace

std::string FitColumns(const std::string& text, size_t columns) {
    size_t used = 0, at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (size_t k = 1; k < length && at + k < text.size(); ++k)
            code = code << 6 | (static_cast<unsigned char>(text[at + k]) & 0x3F);
        const size_t width = Wide(code) ? 2 : 1;
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
