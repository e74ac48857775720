#include "TestZip.h"

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <stdexcept>

namespace lbtest {

// A zip archive written with libarchive, deflated.
void WriteZip(const std::filesystem::path& path, const std::vector<Member>& members) {
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_format_option(a, "zip", "compression-level", "1"); // the big ones are zeros
    if (archive_write_open_filename(a, path.c_str()) != ARCHIVE_OK)
        throw std::runtime_error(path.string() + ": cannot write");
    const std::vector<char> zeros(1 << 20, 0);
    for (const Member& m : members) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname(e, m.name.c_str());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, la_int64_t(m.bytes.size() + m.zeros));
        archive_write_header(a, e);
        archive_write_data(a, m.bytes.data(), m.bytes.size());
        for (uint64_t left = m.zeros; left > 0;) {
            const size_t n = size_t(std::min<uint64_t>(left, zeros.size()));
            archive_write_data(a, zeros.data(), n);
            left -= n;
        }
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
}

} // namespace lbtest
