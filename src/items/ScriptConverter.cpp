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
    // OpenCC hands back a C string, so a NUL byte would cut the text: convert between them.
    std::string out;
    out.reserve(utf8.size());
    size_t from = 0;
    while (from <= utf8.size()) {
        size_t nul = std::min(utf8.find('\0', from), utf8.size());
        if (nul > from) {
            char* converted =
                opencc_convert_utf8(static_cast<opencc_t>(handle_), utf8.data() + from, nul - from);
            if (!converted) throw Error(std::string("OpenCC could not convert a text: ") + opencc_error());
            out += converted;
            opencc_convert_utf8_free(converted);
        }
        if (nul < utf8.size()) out += '\0';
        from = nul + 1;
    }
    return out;
}

} // namespace lb
