#include "menu/AddFile.h"

#include "common/CodePage.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/UserTexts.h"
#include "format/RomLayout.h"
#include "items/DocumentBook.h"
#include "items/EntrySource.h"
#include "items/EpubBook.h"
#include "items/FileEndings.h"
#include "items/FontText.h"
#include "items/ItemKind.h"
#include "items/MemberShelf.h"
#include "items/PageLength.h"
#include "items/PhotoReader.h"
#include "items/PictureItem.h"
#include "items/Spreads.h"
#include "items/TextItem.h"
#include "items/WebPageItem.h"
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

// What adding found, in the order found: entries whose records are estimated once all are
// found, so that an archive's members are read in one pass, and the files skipped.
class Adding {
  public:
    explicit Adding(ItemList& menu) : menu_(menu) {}

    const ItemList& Menu() const { return menu_; }
    // The entries the menu holds once these are added.
    size_t EntryCount() const { return menu_.entries.size() + entries_; }

    // An entry; one inside the folder or archive of the last heading is one of its pages.
    void Entry(const std::string& path, const std::string& name) {
        const bool page = (!container_.empty() && path.rfind(container_ + "/", 0) == 0) ||
                          PageAddressOf(path).part != PagePart::Whole;
        found_.push_back({path, name, false, {}, false, page});
        ++entries_;
    }
    // A category heading: its record an empty text.
    void Heading(const std::string& path, const std::string& name) {
        found_.push_back({path, "@" + name, true, {}});
        container_ = path;
        ++entries_;
    }
    void Skip(const std::string& path, const std::string& reason) {
        found_.push_back({path, {}, false, reason});
    }
    // A book or archive that cannot be read.
    void Broken(const std::string& path, const std::string& reason) {
        found_.push_back({path, {}, false, reason, true});
    }

    // The reason without the path it may begin with, which the skipped line names already.
    static SkippedFile Skipped(const std::string& path, const std::string& reason) {
        const std::string named = path + ": ";
        return {path, reason.rfind(named, 0) == 0 ? reason.substr(named.size()) : reason};
    }

    // Estimates the entries, adds those that can be read to the menu and TotalSize, and
    // returns what was skipped, in the order found.
    std::vector<SkippedFile> Finish() {
        std::vector<std::string> paths;
        for (const Found& f : found_)
            if (f.reason.empty() && !f.heading) paths.push_back(f.path);
        MemberShelf shelf(paths);
        std::vector<SkippedFile> skipped;
        for (Found& f : found_) {
            const std::optional<int64_t> estimate =
                !f.reason.empty() ? std::nullopt
                : f.heading       ? std::optional<int64_t>(TextEstimate(0))
                                  : FileEstimate(f.path, menu_, &f.reason, &shelf, f.page);
            if (!estimate) {
                skipped.push_back(Skipped(f.path, f.reason));
                skipped.back().broken = f.broken;
                continue;
            }
            MenuEntry entry{f.path, f.name, *estimate + NameSlot(f.name), f.page};
            menu_.TotalSize += entry.estimate;
            menu_.entries.push_back(std::move(entry));
        }
        return skipped;
    }

  private:
    struct Found {
        std::string path;
        std::string name;
        bool heading;
        std::string reason; // why it is skipped; empty for an entry
        bool broken = false;
        bool page = false;
    };
    ItemList& menu_;
    std::vector<Found> found_;
    std::string container_; // the path of the last heading
    size_t entries_ = 0;
};

void AddOne(Adding& adding, const std::string& path, bool insideList);

// The language of the names this program makes: Chinese for the Chinese fonts, else English.
uint8_t NamesLanguage(const ItemList& menu) {
    const CodePage page = CodePageForFont(menu.font);
    return page == CodePage::Big5 || page == CodePage::Gbk ? 0 : 1;
}

// A chapter's name where neither the table of contents nor a heading gives one.
std::string ChapterName(const ItemList& menu, size_t number) {
    return Say(UserText::ChapterN, NamesLanguage(menu), std::to_string(number));
}

// Refuses, before any member is read, a container whose entries would take the menu past
// what the handheld's menu holds.
bool Fits(Adding& adding, const std::string& path, size_t members) {
    const size_t total = adding.EntryCount() + 1 + members;
    if (total <= LB_MAX_ENTRIES) return true;
    adding.Broken(path, "its " + std::to_string(members) + " entries would make the menu " +
                          std::to_string(total) + " entries long; the handheld's menu holds at most " +
                          std::to_string(LB_MAX_ENTRIES));
    return false;
}

// A book's title and chapters, each chapter named by its part of the book's address: an
// EPUB's member, a document book's chapter number.
EpubBook BookContents(const std::string& path) {
    if (IsBook(path)) return CachedEpub(path);
    const auto document = CachedDocumentBook(path);
    EpubBook book{document->title, {}};
    for (size_t k = 0; k < document->chapters.size(); ++k)
        book.chapters.push_back({DocumentPartPath(path, int(k)).substr(path.size() + 1), document->chapters[k].name});
    // A document without chapters is one entry named as its heading is.
    if (book.chapters.size() == 1 && book.chapters[0].name.empty())
        book.chapters[0].name = !book.title.empty() ? book.title : DisplayNameFor(path);
    return book;
}

// An EPUB or document book: a heading with its title, then (unless a menu list names them
// after it) each chapter with text, in reading order.
void AddBook(Adding& adding, const std::string& path, bool insideList) {
    EpubBook book;
    try {
        book = BookContents(path);
    } catch (const Error& e) {
        return adding.Broken(path, e.what());
    }
    if (!insideList && !Fits(adding, path, book.chapters.size())) return;
    std::string title = book.title;
    if (title.empty())
        title = AfterLastSlash(path).substr(0, AfterLastSlash(path).size() - EndingLength(path));
    adding.Heading(path, title);
    if (insideList) return;
    for (size_t k = 0; k < book.chapters.size(); ++k) {
        const EpubChapter& chapter = book.chapters[k];
        adding.Entry(path + "/" + chapter.member,
                     chapter.name.empty() ? ChapterName(adding.Menu(), k + 1) : chapter.name);
    }
}

// A book's chapter named in a menu list: its name found again from the book.
void AddChapter(Adding& adding, const std::string& path) {
    const auto part = DocumentPartOf(path);
    const ArchiveMember m =
        part ? ArchiveMember{part->document, DocumentPartPath(part->document, part->index).substr(part->document.size() + 1)}
             : *SplitArchivePath(path);
    EpubBook book;
    try {
        book = BookContents(m.archive);
    } catch (const Error& e) {
        return adding.Broken(path, e.what());
    }
    for (size_t k = 0; k < book.chapters.size(); ++k)
        if (book.chapters[k].member == m.member)
            return adding.Entry(path, book.chapters[k].name.empty()
                                          ? ChapterName(adding.Menu(), k + 1)
                                          : book.chapters[k].name);
    adding.Entry(path, DisplayNameFor(path)); // a document outside the reading order
}

bool ReadAsEntry(const std::string& member) {
    const ItemKind kind = KindForMenu(member);
    return kind == ItemKind::Picture || kind == ItemKind::Photo || kind == ItemKind::Text ||
           kind == ItemKind::LkbText || kind == ItemKind::WebPage;
}

std::string PageName(const ItemList& menu, int index) {
    return Say(UserText::PageN, NamesLanguage(menu), std::to_string(index + 1));
}

void AddBook(Adding& adding, const std::string& path, bool insideList);

// A PDF with text is a book. One without: a heading with its title, else its file name, then
// (unless a menu list names them after it) its pages as pictures, spreads among them split or
// turned.
void AddPdf(Adding& adding, const std::string& path, bool insideList) {
    PdfDocument pdf;
    bool text = false;
    try {
        pdf = ReadPdfDocument(path);
        text = pdf.pages <= kMaxPdfPages && PdfHasText(path);
    } catch (const Error& e) {
        return adding.Broken(path, e.what());
    }
    if (text) return AddBook(adding, path, insideList); // a book with text, not pictures
    if (pdf.pages > kMaxPdfPages) return adding.Broken(path, TooManyPdfPages(pdf.pages));
    std::vector<std::string> pages;
    if (!insideList) {
        if (!Fits(adding, path, size_t(pdf.pages))) return;
        for (int k = 0; k < pdf.pages; ++k) pages.push_back(PdfPagePath(path, k));
        pages = WithSpreads(pages, adding.Menu().pictures.spreads);
        if (pages.size() > size_t(pdf.pages) && !Fits(adding, path, pages.size())) return;
    }
    const std::string name = AfterLastSlash(path);
    adding.Heading(path, pdf.title.empty() ? name.substr(0, name.size() - EndingLength(name)) : pdf.title);
    for (const std::string& page : pages) AddOne(adding, page, true);
}

// A folder or comic archive: a heading, then (unless a menu list names them after it) its
// pictures, texts and web pages in natural order, and a folder's books after them, each with
// its own heading. One that holds none of these is skipped, not left an empty heading.
void AddContainer(Adding& adding, std::string path, bool insideList) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    if (IsBook(path) || IsDocumentBook(path)) return AddBook(adding, path, insideList);
    if (IsPdf(path)) return AddPdf(adding, path, insideList);
    const bool folder = std::filesystem::is_directory(path);
    std::vector<std::string> members, books;
    if (!insideList) {
        try {
            members = ContainerMembers(path);
        } catch (const Error& e) {
            return adding.Broken(path, e.what());
        }
        for (const std::string& member : members)
            if (folder && (EndsAs(member, FileKind::Book) || EndsAs(member, FileKind::Document)))
                books.push_back(member);
        members.erase(std::remove_if(members.begin(), members.end(),
                                     [](const std::string& m) { return !ReadAsEntry(m); }),
                      members.end());
        if (members.empty() && books.empty())
            return adding.Skip(path, folder ? "the folder holds no picture, text, web page or book"
                                            : "the archive holds no picture, text or web page");
        if (!Fits(adding, path, members.size())) return;
    }
    std::sort(members.begin(), members.end(), NaturalLess);
    std::vector<std::string> pages;
    for (const std::string& member : members) pages.push_back(path + "/" + member);
    if (!insideList) {
        pages = WithSpreads(pages, adding.Menu().pictures.spreads);
        if (pages.size() > members.size() && !Fits(adding, path, pages.size())) return;
    }
    std::string name = AfterLastSlash(path);
    if (!folder) name = name.substr(0, name.size() - EndingLength(name));
    if (insideList || !members.empty()) adding.Heading(path, name); // books bring their own
    for (const std::string& page : pages) AddOne(adding, page, true);
    std::sort(books.begin(), books.end(), NaturalLess);
    for (const std::string& book : books) AddBook(adding, path + "/" + book, false);
}

std::string NotConvertedText() {
    std::string endings;
    for (const FileEnding& row : FileEndings()) endings += std::string(row.ending) + ", ";
    endings.resize(endings.size() - 2);
    return "not a kind Lumenbrook converts (" + endings + " or a folder)";
}

void AddOne(Adding& adding, const std::string& path, bool insideList) {
    if (IsContainer(path)) return AddContainer(adding, path, insideList);
    if (IsBookMember(path)) return AddChapter(adding, path);
    const ItemKind kind = KindForMenu(path);
    if (kind == ItemKind::Unknown) {
        // An archive or book ending on a FIFO or a device is no archive either; say what it is.
        std::error_code ec;
        const bool special = std::filesystem::exists(path, ec) &&
                             !std::filesystem::is_regular_file(path, ec) &&
                             !std::filesystem::is_directory(path, ec);
        return adding.Skip(path, path.empty() ? "empty line"
                                 : special    ? "not a regular file"
                                              : NotConvertedText());
    }
    if (kind == ItemKind::MenuList) {
        if (insideList) return adding.Skip(path, "a menu list inside a menu list is not expanded");
        std::vector<std::string> lines;
        try {
            lines = ReadMenuList(path);
        } catch (const Error& e) {
            return adding.Skip(path, e.what());
        }
        for (auto& line : lines) AddOne(adding, line, true);
        return;
    }
    const PageAddress address = PageAddressOf(path);
    if (const auto pdfPage = PdfPageOf(address.page))
        return adding.Entry(path, PageName(adding.Menu(), pdfPage->index) + PartNameSuffix(address.part));
    adding.Entry(path, DisplayNameFor(path));
}

} // namespace

std::optional<int64_t> FileEstimate(const std::string& path, const PictureOptions& pictures) {
    ItemList menu(3);
    menu.pictures = pictures;
    return FileEstimate(path, menu);
}

std::optional<int64_t> FileEstimate(const std::string& entry, const ItemList& menu,
                                    std::string* reason, MemberShelf* shelf, bool page) {
    if (IsContainer(entry)) return TextEstimate(0); // a heading: its record an empty text
    const PictureOptions& pictures = menu.pictures;
    const ItemKind kind = KindForBuild(entry);
    const bool picture = kind == ItemKind::Picture;
    const PageAddress address = PageAddressOf(entry);
    const std::string& path = address.page; // the file, or the page a part is cut from
    const PageCut cut{TrimsMargins(pictures, page), address.part};
    if (const auto pdfPage = PdfPageOf(path)) {
        try {
            return PdfPageRecordBytes(*pdfPage, pictures, cut);
        } catch (const Error& e) {
            if (reason) *reason = e.what();
            return std::nullopt;
        }
    }
    int64_t length = 0;
    std::string why;
    std::vector<uint8_t> header(picture ? kBitmapHeadBytes : 0);
    std::vector<uint8_t> member; // the whole of an archive member
    if (SplitArchivePath(path) || DocumentPartOf(path)) {
        try {
            member = shelf ? shelf->Read(entry) : ReadEntryBytes(entry);
        } catch (const Error& e) {
            if (reason) *reason = e.what();
            return std::nullopt;
        }
        length = static_cast<int64_t>(member.size());
        header.assign(member.begin(), member.begin() + std::min(member.size(), header.size()));
    } else if (!Probe(path, length, header, why)) {
        if (reason) *reason = why;
        return std::nullopt;
    } else if (uint64_t(length) > kMaxFileBytes) {
        if (reason) *reason = TooLargeCause(uint64_t(length));
        return std::nullopt;
    }
    if ((kind == ItemKind::Photo || picture) && (cut.trim || cut.part != PagePart::Whole)) {
        // The page is decoded to find its margins, or to tell the size of the part.
        try {
            if (member.empty()) member = ReadWholeFile(path);
            if (auto bytes = PictureFileRecordBytes(member, kind == ItemKind::Photo, pictures, cut))
                return bytes;
        } catch (const Error& e) {
            if (kind == ItemKind::Photo) {
                if (reason) *reason = e.what();
                return std::nullopt;
            }
            // A broken bitmap is listed all the same, below.
        }
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
    if (kind == ItemKind::WebPage && DocumentPartOf(path)) {
        // A document's chapter is in memory already: its record is made to tell its size.
        try {
            const CodePageConverter codes(CodePageForFont(menu.font));
            return int64_t{LB_RECORD_HEADER_BYTES} +
                   int64_t(EncodeWebPage(member, FontText(codes, false), nullptr, nullptr, PageRule::Main).data.size());
        } catch (const Error& e) {
            if (reason) *reason = e.what();
            return std::nullopt;
        }
    }
    if (kind == ItemKind::WebPage) {
        try {
            const PageRule rule = IsBookMember(path) ? PageRule::Main : menu.pageText;
            return TextEstimate(PageRecordLength(path, CodePageForFont(menu.font), rule, [&] {
                return !member.empty() || SplitArchivePath(path) ? member : ReadWholeFile(path);
            }));
        } catch (const Error&) {
            // Listed all the same: the build names the entry and what is wrong with it.
            return TextEstimate(length);
        }
    }
    if (!picture && CodePageForFont(menu.font) == CodePage::Unicode) {
        try {
            const std::vector<uint8_t> text =
                member.empty() && !SplitArchivePath(path) ? ReadWholeFile(path) : member;
            return TextEstimate(UnicodeTextBytes({reinterpret_cast<const char*>(text.data()), text.size()}));
        } catch (const Error&) {
            return TextEstimate(2 * length);
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

std::string DisplayNameFor(const std::string& entry) {
    const PageAddress address = PageAddressOf(entry);
    const std::string& path = address.page;
    std::string name = AfterLastSlash(path);
    // A file built as a bitmap whatever its ending loses four characters, like ".dib".
    const size_t cut = EndingLength(path) ? EndingLength(path) : 4;
    name = name.size() > cut ? name.substr(0, name.size() - cut) : std::string();
    return name + PartNameSuffix(address.part);
}

void Reestimate(ItemList& menu) {
    std::vector<std::string> paths;
    for (const MenuEntry& entry : menu.entries) paths.push_back(entry.path);
    MemberShelf shelf(paths);
    for (MenuEntry& entry : menu.entries) {
        auto file = FileEstimate(entry.path, menu, nullptr, &shelf, entry.page);
        if (!file) continue; // gone since it was added: its estimate stays
        const int64_t estimate = *file + NameSlot(entry.name);
        menu.TotalSize += estimate - entry.estimate;
        entry.estimate = estimate;
    }
}

void ChangeFont(ItemList& menu, int font) {
    if (font == menu.font) return;
    menu.TotalSize += EmptyMenuSize(font) - EmptyMenuSize(menu.font);
    menu.font = font;
    Reestimate(menu);
}

std::vector<SkippedFile> OpenMenu(ItemList& menu, const std::string& file, int font) {
    std::vector<std::string> lines = ReadMenuList(file);
    menu.Reset(font);
    Adding adding(menu);
    for (auto& line : lines) AddOne(adding, line, true);
    return adding.Finish();
}

void AddHeading(ItemList& menu, const std::string& name) {
    MenuEntry heading{"", "@" + name, TextEstimate(0)};
    heading.estimate += NameSlot(heading.name);
    menu.TotalSize += heading.estimate;
    menu.entries.push_back(std::move(heading));
}

std::vector<SkippedFile> AddFile(ItemList& menu, const std::string& path) {
    Adding adding(menu);
    AddOne(adding, path, false);
    return adding.Finish();
}

} // namespace lb
