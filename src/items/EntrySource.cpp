#include "items/EntrySource.h"

#include "common/Error.h"
#include "common/Files.h"
#include "items/ArchivePass.h"
#include "items/DocumentBook.h"
#include "items/FileEndings.h"
#include "items/PageShape.h"

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
    return fs::is_directory(path, ec) ||
           ((ArchiveEnding(path) || EndsAs(path, FileKind::Pdf) || EndsAs(path, FileKind::Document)) &&
            RegularFile(path));
}

bool IsPdf(const std::string& path) { return EndsAs(path, FileKind::Pdf) && RegularFile(path); }

std::optional<std::pair<std::string, int>> NumberedPartOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash + 1 == path.size() || path.size() - slash > 6) return std::nullopt;
    int number = 0;
    for (size_t k = slash + 1; k < path.size(); ++k) {
        if (path[k] < '0' || path[k] > '9') return std::nullopt;
        number = number * 10 + (path[k] - '0');
    }
    if (number < 1 || path[slash + 1] == '0') return std::nullopt;
    return std::pair{path.substr(0, slash), number - 1};
}

std::optional<PdfPage> PdfPageOf(const std::string& path) {
    const auto part = NumberedPartOf(path);
    if (!part || !EndsAs(part->first, FileKind::Pdf)) return std::nullopt;
    return PdfPage{part->first, part->second};
}

std::string TooManyPdfPages(int pages) {
    return "it has " + std::to_string(pages) + " pages; Lumenbrook reads at most " + std::to_string(kMaxPdfPages) +
           " pages of a PDF";
}

std::string PdfPagePath(const std::string& pdf, int index) { return pdf + "/" + std::to_string(index + 1); }

std::vector<uint8_t> ReadEntryBytes(const std::string& entry) {
    if (const auto part = DocumentPartOf(entry)) return DocumentChapterBytes(*part);
    const std::string path = PageAddressOf(entry).page;
    if (RegularFile(path) || !SplitArchivePath(path)) return ReadWholeFile(path);
    const ArchiveMember m = *SplitArchivePath(path);
    ArchivePass pass(m.archive);
    while (pass.Next())
        if (pass.Member() == m.member) return pass.Read();
    throw Error(path + ": no such member in " + m.archive);
}

bool IsBook(const std::string& path) {
    return EndsAs(path, FileKind::Book) && RegularFile(path);
}

bool IsBookMember(const std::string& path) {
    if (DocumentPartOf(path)) return true;
    const auto m = SplitArchivePath(path);
    return m && EndsAs(m->archive, FileKind::Book);
}

std::map<std::string, std::vector<uint8_t>>
ReadArchiveMembers(const std::string& archive,
                   const std::function<bool(const std::string&)>& wanted) {
    std::map<std::string, std::vector<uint8_t>> members;
    ArchivePass pass(archive);
    while (pass.Next()) {
        if (!wanted(pass.Member())) continue;
        members[pass.Member()] = pass.Read();
        if (pass.Unpacked() > kMaxArchiveBytes)
            throw Error(archive + ": the archive unpacks to more than " +
                        std::to_string(kMaxArchiveBytes >> 30) + " GiB");
    }
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
    ArchivePass pass(container);
    uint64_t total = 0;
    while (pass.Next()) {
        const uint64_t size = pass.DeclaredSize().value_or(0);
        if (size > kMaxMemberBytes)
            throw Error(container + ": " + pass.Member() + " is larger than " +
                        std::to_string(kMaxMemberBytes >> 20) + " MiB");
        if ((total += size) > kMaxArchiveBytes)
            throw Error(container + ": the archive unpacks to more than " +
                        std::to_string(kMaxArchiveBytes >> 30) + " GiB");
        members.push_back(pass.Member());
    }
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
