#include "items/EntrySource.h"

#include "common/Error.h"
#include "common/Files.h"
#include "items/FileEndings.h"

#include <archive.h>
#include <archive_entry.h>
#include <filesystem>
#include <memory>

namespace lb {

namespace fs = std::filesystem;

namespace {

bool ArchiveEnding(const std::string& path) {
    return EndsAs(path, FileKind::ComicArchive) || EndsAs(path, FileKind::Book);
}

bool RegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

struct Close {
    void operator()(archive* a) const { archive_read_free(a); }
};
using Archive = std::unique_ptr<archive, Close>;

Archive OpenArchive(const std::string& path) {
    Archive a(archive_read_new());
    archive_read_support_format_zip(a.get());
    if (archive_read_open_filename(a.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK)
        throw Error(path + ": not an archive Lumenbrook reads: " + archive_error_string(a.get()));
    return a;
}

std::string ArchiveFault(archive* a, const std::string& path) {
    const char* why = archive_error_string(a);
    return path + ": the archive cannot be read: " + (why ? why : "unknown fault");
}

} // namespace

std::optional<ArchiveMember> SplitArchivePath(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string head = path.substr(0, slash);
        if (ArchiveEnding(head) && RegularFile(head)) return ArchiveMember{head, path.substr(slash + 1)};
    }
    return std::nullopt;
}

bool IsContainer(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec) || (ArchiveEnding(path) && RegularFile(path));
}

std::vector<uint8_t> ReadEntryBytes(const std::string& path) {
    if (RegularFile(path) || !SplitArchivePath(path)) return ReadWholeFile(path);
    const ArchiveMember m = *SplitArchivePath(path);
    Archive a = OpenArchive(m.archive);
    archive_entry* entry = nullptr;
    int status;
    while ((status = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK) {
        if (m.member != archive_entry_pathname(entry)) continue;
        if (archive_entry_size_is_set(entry) && uint64_t(archive_entry_size(entry)) > kMaxMemberBytes)
            throw Error(path + ": the member is larger than " + std::to_string(kMaxMemberBytes >> 20) + " MiB");
        std::vector<uint8_t> bytes;
        uint8_t block[64 * 1024];
        for (;;) {
            la_ssize_t got = archive_read_data(a.get(), block, sizeof block);
            if (got < 0) throw Error(ArchiveFault(a.get(), m.archive));
            if (got == 0) return bytes;
            // What it really unpacks to counts, whatever its header claimed.
            if (bytes.size() + uint64_t(got) > kMaxMemberBytes)
                throw Error(path + ": the member unpacks to more than " + std::to_string(kMaxMemberBytes >> 20) +
                            " MiB");
            bytes.insert(bytes.end(), block, block + got);
        }
    }
    if (status != ARCHIVE_EOF) throw Error(ArchiveFault(a.get(), m.archive));
    throw Error(path + ": no such member in " + m.archive);
}

bool IsBook(const std::string& path) {
    return EndsAs(path, FileKind::Book) && RegularFile(path);
}

bool IsBookMember(const std::string& path) {
    const auto m = SplitArchivePath(path);
    return m && EndsAs(m->archive, FileKind::Book);
}

std::map<std::string, std::vector<uint8_t>>
ReadArchiveMembers(const std::string& archive,
                   const std::function<bool(const std::string&)>& wanted) {
    std::map<std::string, std::vector<uint8_t>> members;
    Archive a = OpenArchive(archive);
    archive_entry* entry = nullptr;
    uint64_t total = 0;
    int status;
    while ((status = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK) {
        if (archive_entry_filetype(entry) != AE_IFREG || !wanted(archive_entry_pathname(entry)))
            continue;
        const std::string name = archive_entry_pathname(entry);
        std::vector<uint8_t>& bytes = members[name];
        uint8_t block[64 * 1024];
        for (la_ssize_t got; (got = archive_read_data(a.get(), block, sizeof block)) != 0;) {
            if (got < 0) throw Error(ArchiveFault(a.get(), archive));
            // What it really unpacks to counts, whatever its header claimed.
            if (bytes.size() + uint64_t(got) > kMaxMemberBytes)
                throw Error(archive + ": " + name + " unpacks to more than " +
                            std::to_string(kMaxMemberBytes >> 20) + " MiB");
            if ((total += uint64_t(got)) > kMaxArchiveBytes)
                throw Error(archive + ": the archive unpacks to more than " +
                            std::to_string(kMaxArchiveBytes >> 30) + " GiB");
            bytes.insert(bytes.end(), block, block + got);
        }
    }
    if (status != ARCHIVE_EOF) throw Error(ArchiveFault(a.get(), archive));
    return members;
}

std::vector<std::string> ContainerMembers(const std::string& container) {
    std::vector<std::string> members;
    std::error_code ec;
    if (fs::is_directory(container, ec)) {
        for (const auto& e : fs::directory_iterator(container, ec))
            if (e.is_regular_file(ec)) members.push_back(e.path().filename().string());
        if (ec) throw Error(container + ": " + ec.message());
        return members;
    }
    Archive a = OpenArchive(container);
    archive_entry* entry = nullptr;
    uint64_t total = 0;
    int status;
    while ((status = archive_read_next_header(a.get(), &entry)) == ARCHIVE_OK) {
        if (archive_entry_filetype(entry) != AE_IFREG) continue;
        const uint64_t size = archive_entry_size_is_set(entry) ? uint64_t(archive_entry_size(entry)) : 0;
        if (size > kMaxMemberBytes)
            throw Error(container + ": " + archive_entry_pathname(entry) + " is larger than " +
                        std::to_string(kMaxMemberBytes >> 20) + " MiB");
        total += size;
        if (total > kMaxArchiveBytes)
            throw Error(container + ": the archive unpacks to more than " + std::to_string(kMaxArchiveBytes >> 30) +
                        " GiB");
        members.push_back(archive_entry_pathname(entry));
    }
    if (status != ARCHIVE_EOF) throw Error(ArchiveFault(a.get(), container));
    // One level deep: the files at the top, or, where there are none (a comic's pages often
    // lie in one folder), those of its one folder.
    auto level = [&](const std::string& prefix) {
        std::vector<std::string> files;
        for (const std::string& m : members)
            if (m.rfind(prefix, 0) == 0 && m.find('/', prefix.size()) == std::string::npos && m.size() > prefix.size())
                files.push_back(m);
        return files;
    };
    std::vector<std::string> top = level("");
    if (top.empty() && !members.empty()) {
        const std::string folder = members.front().substr(0, members.front().find('/') + 1);
        bool one = true;
        for (const std::string& m : members) one = one && m.rfind(folder, 0) == 0;
        if (one) top = level(folder);
    }
    return top;
}

bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            size_t ie = i, je = j;
            while (ie < a.size() && digit(a[ie])) ++ie;
            while (je < b.size() && digit(b[je])) ++je;
            // Without leading zeros the longer run is the larger number.
            size_t is = i, js = j;
            while (is + 1 < ie && a[is] == '0') ++is;
            while (js + 1 < je && b[js] == '0') ++js;
            if (ie - is != je - js) return ie - is < je - js;
            if (int c = a.compare(is, ie - is, b, js, je - js); c != 0) return c < 0;
            i = ie;
            j = je;
        } else {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

} // namespace lb
