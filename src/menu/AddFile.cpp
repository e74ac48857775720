#include "menu/AddFile.h"

#include "common/CodePage.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/UserTexts.h"
#include "format/RomLayout.h"
#include "items/EntrySource.h"
#include "items/EpubBook.h"
#include "items/FileEndings.h"
#include "items/ItemKind.h"
#include "items/PhotoReader.h"
#include "items/PictureItem.h"
#include "menu/Estimate.h"
#include "menu/MenuListFile.h"
#include "rom/Bitmap.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lb {

namespace {

// Opens a readable regular file and takes its length and first `header.size()` bytes
// (fewer when it is shorter); false with the reason otherwise.
bool Probe(const std::string& path, int64_t& length, std::vector<uint8_t>& header,
           std::string& reason) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); // a FIFO does not block
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ssize_t got = ok && !header.empty() ? ::pread(fd, header.data(), header.size(), 0) : 0;
    ::close(fd);
    if (!ok) {
        reason = "not a regular file";
        return false;
    }
    length = st.st_size;
    header.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return true;
}

void AddOne(ItemList& menu, const std::string& path, bool insideList, std::vector<SkippedFile>& skipped);

void AddEntry(ItemList& menu, const std::string& path, const std::string& name,
              std::vector<SkippedFile>& skipped) {
    std::string reason;
    auto estimate = FileEstimate(path, menu.pictures, &reason);
    if (!estimate) {
        skipped.push_back({path, reason});
        return;
    }
    MenuEntry entry{path, name, *estimate + NameSlot(name)};
    menu.TotalSize += entry.estimate;
    menu.entries.push_back(std::move(entry));
}

// A chapter's name where neither the table of contents nor a heading gives one, in a
// language the menu's font draws.
std::string ChapterName(const ItemList& menu, size_t number) {
    return Say(UserText::ChapterN, CodePageForFont(menu.font) == CodePage::Western ? 1 : 0,
               std::to_string(number));
}

// An EPUB book: a heading with its title, then (unless a menu list names them after it) each
// chapter with text, in reading order.
void AddBook(ItemList& menu, const std::string& path, bool insideList,
             std::vector<SkippedFile>& skipped) {
    EpubBook book;
    try {
        book = CachedEpub(path);
    } catch (const Error& e) {
        skipped.push_back({path, e.what()});
        return;
    }
    std::string title = book.title;
    if (title.empty())
        title = AfterLastSlash(path).substr(0, AfterLastSlash(path).size() - EndingLength(path));
    MenuEntry heading{path, "@" + title, TextEstimate(0)};
    heading.estimate += NameSlot(heading.name);
    menu.TotalSize += heading.estimate;
    menu.entries.push_back(std::move(heading));
    if (insideList) return;
    for (size_t k = 0; k < book.chapters.size(); ++k) {
        const EpubChapter& chapter = book.chapters[k];
        AddEntry(menu, path + "/" + chapter.member,
                 chapter.name.empty() ? ChapterName(menu, k + 1) : chapter.name, skipped);
    }
}

// A book's chapter named in a menu list: its name found again from the book.
void AddChapter(ItemList& menu, const std::string& path, std::vector<SkippedFile>& skipped) {
    const ArchiveMember m = *SplitArchivePath(path);
    EpubBook book;
    try {
        book = CachedEpub(m.archive);
    } catch (const Error& e) {
        skipped.push_back({path, e.what()});
        return;
    }
    for (size_t k = 0; k < book.chapters.size(); ++k)
        if (book.chapters[k].member == m.member)
            return AddEntry(menu, path,
                            book.chapters[k].name.empty() ? ChapterName(menu, k + 1)
                                                          : book.chapters[k].name,
                            skipped);
    AddEntry(menu, path, DisplayNameFor(path), skipped); // a document outside the reading order
}

// A folder or comic archive: a heading, then (unless a menu list names them after it) its
// pictures and texts in natural order.
void AddContainer(ItemList& menu, std::string path, bool insideList, std::vector<SkippedFile>& skipped) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    if (IsBook(path)) return AddBook(menu, path, insideList, skipped);
    std::vector<std::string> members;
    if (!insideList) {
        try {
            members = ContainerMembers(path);
        } catch (const Error& e) {
            skipped.push_back({path, e.what()});
            return;
        }
    }
    std::string name = AfterLastSlash(path);
    if (!std::filesystem::is_directory(path)) name = name.substr(0, name.size() - EndingLength(name));
    MenuEntry heading{path, "@" + name, TextEstimate(0)};
    heading.estimate += NameSlot(heading.name);
    menu.TotalSize += heading.estimate;
    menu.entries.push_back(std::move(heading));
    std::sort(members.begin(), members.end(), NaturalLess);
    for (const std::string& member : members) {
        const ItemKind kind = KindForMenu(member);
        if (kind == ItemKind::Picture || kind == ItemKind::Photo || kind == ItemKind::Text ||
            kind == ItemKind::LkbText)
            AddOne(menu, path + "/" + member, true, skipped);
    }
}

std::string NotConvertedText() {
    std::string endings;
    for (const FileEnding& row : FileEndings()) endings += std::string(row.ending) + ", ";
    endings.resize(endings.size() - 2);
    return "not a kind Lumenbrook converts (" + endings + " or a folder)";
}

void AddOne(ItemList& menu, const std::string& path, bool insideList,
            std::vector<SkippedFile>& skipped) {
    if (IsContainer(path)) return AddContainer(menu, path, insideList, skipped);
    if (IsBookMember(path)) return AddChapter(menu, path, skipped);
    const ItemKind kind = KindForMenu(path);
    if (kind == ItemKind::Unknown) {
        // An archive or book ending on a FIFO or a device is no archive either; say what it is.
        std::error_code ec;
        const bool special = std::filesystem::exists(path, ec) &&
                             !std::filesystem::is_regular_file(path, ec) &&
                             !std::filesystem::is_directory(path, ec);
        skipped.push_back({path, path.empty() ? "empty line"
                                 : special    ? "not a regular file"
                                              : NotConvertedText()});
        return;
    }
    if (kind == ItemKind::MenuList) {
        if (insideList) {
            skipped.push_back({path, "a menu list inside a menu list is not expanded"});
            return;
        }
        std::vector<std::string> lines;
        try {
            lines = ReadMenuList(path);
        } catch (const Error& e) {
            skipped.push_back({path, e.what()});
            return;
        }
        for (auto& line : lines) AddOne(menu, line, true, skipped);
        return;
    }
    std::string reason;
    auto estimate = FileEstimate(path, menu.pictures, &reason);
    if (!estimate) {
        skipped.push_back({path, reason});
        return;
    }
    MenuEntry entry{path, DisplayNameFor(path), 0};
    entry.estimate = *estimate + NameSlot(entry.name);
    menu.TotalSize += entry.estimate;
    menu.entries.push_back(std::move(entry));
}

} // namespace

std::optional<int64_t> FileEstimate(const std::string& path, const PictureOptions& pictures,
                                    std::string* reason) {
    const ItemKind kind = KindForBuild(path);
    const bool picture = kind == ItemKind::Picture;
    int64_t length = 0;
    std::string why;
    std::vector<uint8_t> header(picture ? kBitmapHeadBytes : 0);
    std::vector<uint8_t> member; // the whole of an archive member
    if (SplitArchivePath(path)) {
        try {
            member = ReadEntryBytes(path);
        } catch (const Error& e) {
            if (reason) *reason = e.what();
            return std::nullopt;
        }
        length = static_cast<int64_t>(member.size());
        header.assign(member.begin(), member.begin() + std::min(member.size(), header.size()));
    } else if (!Probe(path, length, header, why)) {
        if (reason) *reason = why;
        return std::nullopt;
    }
    if (kind == ItemKind::Photo) {
        try {
            const PictureSize shown = member.empty() ? PhotoShownSize(path) : PhotoShownSize(member);
            PictureSize stored = FittedSize(shown, RuleFor(pictures, true));
            return FittedRecordBytes(stored, pictures.colours);
        } catch (const Error& e) {
            if (reason) *reason = e.what();
            return std::nullopt;
        }
    }
    if (!picture) return TextEstimate(length);
    if (length < 54) {
        if (reason) *reason = "too short for a bitmap header";
        return std::nullopt;
    }
    try {
        BitmapHeader h = ReadBitmapHeader(header, static_cast<uint64_t>(length));
        PictureSize shown{h.width, h.height < 0 ? -h.height : h.height};
        PictureSize stored = FittedSize(shown, RuleFor(pictures, false));
        if (!(stored == shown)) return FittedRecordBytes(stored, pictures.colours);
        return PictureEstimate(h.width, h.height, h.bitCount);
    } catch (const Error&) {
        // Listed all the same: the build names the entry and what is wrong with it.
        return length + int64_t{LB_RECORD_HEADER_BYTES};
    }
}

std::string DisplayNameFor(const std::string& path) {
    std::string name = AfterLastSlash(path);
    // A file built as a bitmap whatever its ending loses four characters, like ".dib".
    const size_t cut = EndingLength(path) ? EndingLength(path) : 4;
    return name.size() > cut ? name.substr(0, name.size() - cut) : std::string();
}

void Reestimate(ItemList& menu) {
    for (MenuEntry& entry : menu.entries) {
        auto file = FileEstimate(entry.path, menu.pictures);
        if (!file) continue; // gone since it was added: its estimate stays
        const int64_t estimate = *file + NameSlot(entry.name);
        menu.TotalSize += estimate - entry.estimate;
        entry.estimate = estimate;
    }
}

std::vector<SkippedFile> OpenMenu(ItemList& menu, const std::string& file, int font) {
    std::vector<std::string> lines = ReadMenuList(file);
    std::vector<SkippedFile> skipped;
    menu.Reset(font);
    for (auto& line : lines) AddOne(menu, line, true, skipped);
    return skipped;
}

void AddHeading(ItemList& menu, const std::string& name) {
    MenuEntry heading{"", "@" + name, TextEstimate(0)};
    heading.estimate += NameSlot(heading.name);
    menu.TotalSize += heading.estimate;
    menu.entries.push_back(std::move(heading));
}

std::vector<SkippedFile> AddFile(ItemList& menu, const std::string& path) {
    std::vector<SkippedFile> skipped;
    AddOne(menu, path, false, skipped);
    return skipped;
}

} // namespace lb
