#include "items/PageLength.h"

#include "items/EntrySource.h"
#include "items/PageCharset.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <tuple>

namespace lb {

namespace {

int64_t CodePageLength(std::string_view utf8, CodePage page) {
    const int64_t wide = page == CodePage::Western ? 1 : 2;
    const int64_t ascii = page == CodePage::Unicode ? 2 : 1; // every 16-bit unit two bytes
    int64_t length = 0;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            length += ascii;
        else if (b >= 0xC0) // a character's first byte
            length += wide;
    }
    return length;
}

} // namespace

int64_t PageRecordLength(const std::string& path, CodePage page, PageRule rule,
                         const std::function<std::vector<uint8_t>()>& read) {
    // The file on disk that stands for the page: the archive, for a member.
    const auto member = SplitArchivePath(path);
    const std::string file = member ? member->archive : path;
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(file, ec);
    const uintmax_t size = std::filesystem::file_size(file, ec);
    using Key = std::tuple<std::string, CodePage, PageRule>;
    struct Known {
        std::filesystem::file_time_type time;
        uintmax_t size;
        int64_t length;
    };
    static std::mutex mutex;
    static std::map<Key, Known> known;
    const Key key{path, page, rule};
    {
        std::lock_guard lock(mutex);
        if (auto found = known.find(key);
            !ec && found != known.end() && found->second.time == time && found->second.size == size)
            return found->second.length;
    }
    const std::vector<uint8_t> bytes = read();
    const std::string_view html(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const int64_t length = CodePageLength(PageText(PageToUtf8(html, page), rule), page);
    std::lock_guard lock(mutex);
    if (!ec) known[key] = {time, size, length};
    return length;
}

} // namespace lb
