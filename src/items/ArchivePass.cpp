#include "items/ArchivePass.h"

#include "common/Error.h"

#include <archive.h>
#include <archive_entry.h>

namespace lb {

namespace {

std::string Mib(uint64_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

} // namespace

void ArchivePass::Close::operator()(archive* a) const {
    archive_read_free(a);
}

ArchivePass::ArchivePass(const std::string& path) : archive_(archive_read_new()), path_(path) {
    archive_read_support_format_zip(archive_.get());
    if (archive_read_open_filename(archive_.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK)
        throw Error(path +
                    ": not an archive Lumenbrook reads: " + archive_error_string(archive_.get()));
}

ArchivePass::~ArchivePass() = default;

bool ArchivePass::Next() {
    for (;;) {
        const int status = archive_read_next_header(archive_.get(), &entry_);
        if (status == ARCHIVE_EOF) return false;
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN) {
            const char* why = archive_error_string(archive_.get());
            throw Error(path_ + ": the archive cannot be read: " + (why ? why : "unknown fault"));
        }
        if (archive_entry_filetype(entry_) != AE_IFREG) continue;
        const char* name = archive_entry_pathname(entry_);
        member_ = name ? name : "";
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
