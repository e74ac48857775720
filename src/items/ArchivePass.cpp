#include "items/ArchivePass.h"

#include "common/CodePage.h"
#include "common/Error.h"
#include "items/ArchiveNames.h"

#include <archive.h>
#include <archive_entry.h>
#include <filesystem>
#include <map>
#include <mutex>

namespace lb {

namespace {

// Comic archives as their tools make them: zip (.cbz), RAR (.cbr) and 7-Zip (.cb7).
void SupportFormats(archive* a) {
    archive_read_support_format_zip(a);
    archive_read_support_format_rar(a);
    archive_read_support_format_rar5(a);
    archive_read_support_format_7zip(a);
    archive_read_support_filter_all(a);
}

std::string Mib(uint64_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

// The member's name as the archive holds it: UTF-8 where the archive says so, else the bytes
// its tool wrote.
std::string RawName(archive_entry* entry) {
    const char* name = archive_entry_pathname(entry);
    if (!name) name = archive_entry_pathname_utf8(entry);
    return name ? name : "";
}

// The code page of the archive's names that are not UTF-8, found from all of them once for
// the archive as it is on disk.
std::string ArchiveNameCharset(const std::string& path) {
    static std::mutex mutex;
    static std::map<std::string, std::pair<std::filesystem::file_time_type, std::string>> found;
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    std::lock_guard lock(mutex);
    if (auto known = found.find(path); known != found.end() && known->second.first == time)
        return known->second.second;
    std::vector<std::string> names;
    {
        Utf8NameLocale utf8;
        std::unique_ptr<archive, void (*)(archive*)> a(archive_read_new(),
                                                       [](archive* x) { archive_read_free(x); });
        SupportFormats(a.get());
        archive_entry* entry = nullptr;
        if (archive_read_open_filename(a.get(), path.c_str(), 64 * 1024) == ARCHIVE_OK)
            while (archive_read_next_header(a.get(), &entry) >= ARCHIVE_WARN)
                if (std::string raw = RawName(entry); !IsValidUtf8(raw)) names.push_back(raw);
    }
    return found.insert_or_assign(path, std::pair{time, LegacyNameCharset(names)})
        .first->second.second;
}

} // namespace

void ArchivePass::Close::operator()(archive* a) const {
    archive_read_free(a);
}

ArchivePass::ArchivePass(const std::string& path) : archive_(archive_read_new()), path_(path) {
    SupportFormats(archive_.get());
    if (archive_read_open_filename(archive_.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK)
        throw Error(path +
                    ": not an archive Lumenbrook reads: " + archive_error_string(archive_.get()));
}

ArchivePass::~ArchivePass() = default;

bool ArchivePass::Next() {
    Utf8NameLocale utf8;
    for (;;) {
        const int status = archive_read_next_header(archive_.get(), &entry_);
        if (status == ARCHIVE_EOF) return false;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
            const char* why = archive_error_string(archive_.get());
            throw Error(path_ + ": the archive cannot be read: " + (why ? why : "unknown fault"));
        }
        if (archive_entry_filetype(entry_) != AE_IFREG) continue;
        member_ = RawName(entry_);
        if (!IsValidUtf8(member_)) {
            if (nameCharset_.empty()) nameCharset_ = ArchiveNameCharset(path_);
            member_ = DecodeToUtf8(member_, nameCharset_.c_str());
        }
        return true;
    }
}

std::optional<uint64_t> ArchivePass::DeclaredSize() const {
    if (!archive_entry_size_is_set(entry_)) return std::nullopt;
    return uint64_t(archive_entry_size(entry_));
}

std::vector<uint8_t> ArchivePass::Read() {
    if (DeclaredSize() && *DeclaredSize() > kMaxMemberBytes)
        throw Error(path_ + ": " + member_ + " is larger than " + Mib(kMaxMemberBytes));
    std::vector<uint8_t> bytes;
    if (DeclaredSize()) bytes.reserve(size_t(*DeclaredSize()));
    uint8_t block[64 * 1024];
    for (;;) {
        const la_ssize_t got = archive_read_data(archive_.get(), block, sizeof block);
        if (got < 0) {
            const char* why = archive_error_string(archive_.get());
            throw Error(path_ + ": the archive cannot be read: " + (why ? why : "unknown fault"));
        }
        if (got == 0) return bytes;
        if (bytes.size() + uint64_t(got) > kMaxMemberBytes)
            throw Error(path_ + ": " + member_ + " unpacks to more than " + Mib(kMaxMemberBytes));
        unpacked_ += uint64_t(got);
        bytes.insert(bytes.end(), block, block + got);
    }
}

} // namespace lb
