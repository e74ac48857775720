#include "items/ScriptConverter.h"

#include "common/Error.h"

#include <algorithm>
#include <opencc.h>

namespace lb {

ScriptConverter::ScriptConverter(const std::string& config)
    : handle_(opencc_open((config + ".json").c_str())) {
    if (handle_ == reinterpret_cast<void*>(-1))
        throw Error("OpenCC cannot load its " + config + " conversion: " + opencc_error());
}

ScriptConverter::~ScriptConverter() { opencc_close(static_cast<opencc_t>(handle_)); }

std::string ScriptConverter::Convert(const std::string& utf8) const {
    // OpenCC hands back a C string, so a NUL byte would cut the text; and its time grows with
    // the square of what it is given at once. So it gets the text a line at a time, in runs
    // of up to 16 KiB, never across a NUL.
    constexpr size_t kRun = 16 * 1024;
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    size_t from = 0;
    while (from < utf8.size()) {
        size_t nul = std::min(utf8.find('\0', from), utf8.size());
        size_t end = nul;
        if (end - from > kRun) {
            size_t line = utf8.rfind('\n', from + kRun);
            end = line != std::string::npos && line >= from ? line + 1 : from + kRun;
            while (end < nul && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        }
        if (end > from) {
            char* converted =
                opencc_convert_utf8(static_cast<opencc_t>(handle_), utf8.data() + from, end - from);
            if (!converted) throw Error(std::string("OpenCC could not convert a text: ") + opencc_error());
            out += converted;
            opencc_convert_utf8_free(converted);
        }
        from = end;
        if (from == nul && nul < utf8.size()) {
            out += '\0';
            ++from;
        }
    }
    return out;
}

} // namespace lb
