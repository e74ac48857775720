#pragma once

#include "items/ArchivePass.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lb {

// Where an entry's bytes come from: a file, or a member of a comic archive or a book,
// addressed as the archive's path + "/" + the member's path inside it (a regular file cannot
// be a folder, so the address is never ambiguous). Nothing is extracted to disk.

struct ArchiveMember {
    std::string archive;
    std::string member;
};

// The archive and member a path names, when one of its leading parts is an existing regular
// file ending ".cbz" or ".zip".
std::optional<ArchiveMember> SplitArchivePath(const std::string& path);

// A folder, or a comic archive, ".epub" or ".pdf" file: an entry that becomes a category
// heading.
bool IsContainer(const std::string& path);

// A ".pdf" file, whose pages are its entries, addressed as its path + "/" + the page's number
// from 1.
bool IsPdf(const std::string& path);
struct PdfPage {
    std::string pdf;
    int index = 0; // from 0
};
std::optional<PdfPage> PdfPageOf(const std::string& path);
// A path whose last element is a number from 1 without leading zeros: the path before it and
// the number less one.
std::optional<std::pair<std::string, int>> NumberedPartOf(const std::string& path);
// A PDF of more pages is refused, with this cause.
inline constexpr int kMaxPdfPages = 2000;
std::string TooManyPdfPages(int pages);
std::string PdfPagePath(const std::string& pdf, int index);

// An ".epub" file, and a member of one or a chapter of a document book (DocumentBook.h).
bool IsBook(const std::string& path);
bool IsBookMember(const std::string& path);

// The archive's regular members whose paths `wanted` accepts, whole, by path; the member and
// archive limits hold. Throws lb::Error naming the archive and the cause.
std::map<std::string, std::vector<uint8_t>>
ReadArchiveMembers(const std::string& archive,
                   const std::function<bool(const std::string&)>& wanted);

// The entry's whole content. Throws lb::Error naming the cause.
std::vector<uint8_t> ReadEntryBytes(const std::string& path);

// The regular files one level inside a folder, or those at the top of an archive (as member
// paths; in its one folder when there are none at the top), in no particular order. Throws
// lb::Error for an archive past the limits or one that cannot be read.
std::vector<std::string> ContainerMembers(const std::string& container);

// "page2" before "page10": runs of digits compare by their value, the rest byte by byte.
bool NaturalLess(const std::string& a, const std::string& b);

} // namespace lb
