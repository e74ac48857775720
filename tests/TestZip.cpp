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

namespace lbtest {

namespace {

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (const unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void Put(std::string& out, uint32_t value, int bytes) {
    for (int k = 0; k < bytes; ++k) out += char((value >> (8 * k)) & 0xFF);
}

} // namespace

std::string ZipWithNames(const std::vector<std::pair<std::string, std::string>>& members, bool utf8) {
    std::string out, directory;
    for (const auto& [name, data] : members) {
        const uint32_t at = uint32_t(out.size()), crc = Crc32(data), size = uint32_t(data.size());
        std::string common; // version needed, flags, method (stored), time, date, CRC, sizes, name length
        Put(common, 20, 2);
        Put(common, utf8 ? 0x800 : 0, 2);
        Put(common, 0, 2);
        Put(common, 0, 4);
        Put(common, crc, 4);
        Put(common, size, 4);
        Put(common, size, 4);
        Put(common, uint32_t(name.size()), 2);
        Put(common, 0, 2); // extra field length
        Put(out, 0x04034b50, 4);
        out += common + name + data;
        Put(directory, 0x02014b50, 4);
        Put(directory, 20, 2); // made by
        directory += common;
        Put(directory, 0, 2); // comment length
        Put(directory, 0, 2); // disk
        Put(directory, 0, 2); // internal attributes
        Put(directory, 0, 4); // external attributes
        Put(directory, at, 4);
        directory += name;
    }
    const uint32_t directoryAt = uint32_t(out.size());
    out += directory;
    Put(out, 0x06054b50, 4);
    Put(out, 0, 4); // disk numbers
    Put(out, uint32_t(members.size()), 2);
    Put(out, uint32_t(members.size()), 2);
    Put(out, uint32_t(directory.size()), 4);
    Put(out, directoryAt, 4);
    Put(out, 0, 2); // comment length
    return out;
}

} // namespace lbtest
