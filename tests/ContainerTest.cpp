// Folders and comic archives as menu entries: the heading, the members in natural order, a
// menu list round trip, the build's records, and archives made to exhaust memory.
#include "BuildFolder.h"
#include "TestFiles.h"
#include "TestZip.h"
#include "assembly/Build.h"
#include "format/RomLayout.h"
#include "items/EntrySource.h"
#include "items/MemberShelf.h"
#include "menu/AddFile.h"
#include "menu/MenuListFile.h"
#include "rom/RomReader.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

std::vector<std::string> Names(const ItemList& menu) {
    std::vector<std::string> names;
    for (const MenuEntry& e : menu.entries) names.push_back(e.name);
    return names;
}

} // namespace

TEST(Containers, FoldersAndArchivesAddAHeadingThenTheirMembers) {
    Folder f(200, 3);
    const fs::path dir = f.dir.Path();
    const std::string text = "abcde"; // a 5-byte text: its record is 8 bytes
    for (const char* name : {"My Pages/page10.txt", "My Pages/page2.txt", "My Pages/page1.txt",
                             "My Pages/封面.txt", "My Pages/movie.avi", "My Pages/deeper/page3.txt"})
        f.dir.Write(name, text);
    WriteZip(dir / "漫畫 1.cbz", {{"p10.txt", text}, {"p9.txt", text}, {"inner/x.txt", text}, {"readme.md", "#"}});
    WriteZip(dir / "Book.zip", {{"Book/ch2.txt", text}, {"Book/ch1.txt", text}}); // one folder inside

    ItemList menu(3);
    for (const char* added : {"My Pages", "漫畫 1.cbz", "Book.zip"})
        EXPECT_EQ(AddFile(menu, (dir / added).string()).size(), 0u) << added;
    EXPECT_EQ(Names(menu), (std::vector<std::string>{"@My Pages", "page1", "page2", "page10", "封面",
                                                    "@漫畫 1", "p9", "p10", "@Book", "ch1", "ch2"}));
    EXPECT_EQ(menu.entries[6].path, (dir / "漫畫 1.cbz/p9.txt").string());
    EXPECT_EQ(menu.entries[9].path, (dir / "Book.zip/Book/ch1.txt").string());
    // Each heading: an empty text and a 64-byte name slot; each text 5 + 12 + 1 + 3 and 32.
    EXPECT_EQ(menu.TotalSize - ItemList(3).TotalSize, 3 * (12 + 64) + 8 * (21 + 32));

    // A menu list keeps the same entries: the container's line adds only its heading.
    const std::string list = (dir / "menu.lkm").string();
    std::vector<std::string> paths;
    for (const MenuEntry& e : menu.entries) paths.push_back(e.path);
    WriteMenuList(list, paths);
    ItemList again(3);
    EXPECT_EQ(OpenMenu(again, list, 3).size(), 0u);
    EXPECT_EQ(Names(again), Names(menu));
    EXPECT_EQ(again.TotalSize, menu.TotalSize);

    // The build: an empty record for each heading, the members' texts read from the archive.
    f.request.entries = menu.ForBuild();
    Recorder progress;
    Conver(f.request, progress);
    RomInfo info = ReadRom(ReadBytes(f.request.outputPath), 3);
    ASSERT_EQ(info.records.size(), 11u);
    ASSERT_EQ(info.categories.size(), 3u);
    EXPECT_EQ(info.categories[1].first, 6);
    EXPECT_EQ(info.categories[1].span, 3);
    for (size_t k = 0; k < 11; ++k)
        EXPECT_EQ(info.records[k].dataSize, menu.entries[k].name[0] == '@' ? 0u : 8u) << k;
    const auto rom = ReadBytes(f.request.outputPath);
    const size_t p9 = info.records[6].offset + LB_RECORD_HEADER_BYTES;
    EXPECT_EQ(std::string(rom.begin() + long(p9), rom.begin() + long(p9) + 8), "abcde   ");
}

TEST(Containers, ArchivesPastTheLimitsAreRefused) {
    TempFolder dir;
    const uint64_t mib = 1 << 20;
    struct Case {
        const char* name;
        std::vector<Member> members;
        const char* cause;
    };
    std::vector<Member> bomb;
    for (int k = 0; k < 17; ++k) bomb.push_back({"p" + std::to_string(k) + ".txt", "", 63 * mib});
    const Case cases[] = {
        {"big.cbz", {{"p1.txt", "x"}, {"huge.txt", "", 65 * mib}}, "huge.txt is larger than 64 MiB"},
        {"bomb.cbz", bomb, "unpacks to more than 1 GiB"},
    };
    for (const Case& c : cases) {
        WriteZip(dir.Path() / c.name, c.members);
        ItemList menu(3);
        const int64_t empty = menu.TotalSize;
        auto skipped = AddFile(menu, (dir.Path() / c.name).string());
        ASSERT_EQ(skipped.size(), 1u) << c.name;
        EXPECT_NE(skipped[0].reason.find(c.cause), std::string::npos) << skipped[0].reason;
        EXPECT_TRUE(menu.entries.empty()) << c.name;
        EXPECT_EQ(menu.TotalSize, empty);
    }
    // Reading a member counts what it really unpacks to, whatever its header says.
    EXPECT_NE(ErrorOf([&] { ReadEntryBytes((dir.Path() / "big.cbz/huge.txt").string()); })
                  .find("larger than 64 MiB"),
              std::string::npos);
    EXPECT_EQ(ReadEntryBytes((dir.Path() / "big.cbz/p1.txt").string()), std::vector<uint8_t>{'x'});
    EXPECT_NE(ErrorOf([&] { ReadEntryBytes((dir.Path() / "big.cbz/gone.txt").string()); }).find("no such member"),
              std::string::npos);
}

TEST(Containers, NaturalOrder) {
    const std::vector<std::string> sorted = {"a",      "a1",      "a2",       "a02b", "a10",
                                             "a10b",   "page9",   "page010",  "page10x", "page011",
                                             "page99", "page100", "z"};
    for (size_t i = 0; i < sorted.size(); ++i)
        for (size_t j = 0; j < sorted.size(); ++j)
            EXPECT_EQ(NaturalLess(sorted[i], sorted[j]), i < j) << sorted[i] << " < " << sorted[j];
}

TEST(Containers, TheShelfReadsEachArchiveThroughOnceInAnyOrderWithinItsBudget) {
    TempFolder dir;
    const std::string cbz = (dir.Path() / "c.cbz").string();
    WriteZip(cbz, {{"a.txt", "AA"}, {"b.txt", "BBB"}, {"c.txt", "C"}, {"d.txt", "DDDD"}});
    dir.Write("plain.txt", "plain");
    const std::string plain = (dir.Path() / "plain.txt").string();
    struct Case {
        const char* what;
        std::vector<std::string> asked; // in this order, each wanted once
        uint64_t budget;
        int passes;
    };
    const Case cases[] = {
        {"in the archive's order", {"a.txt", "b.txt", "c.txt", "d.txt"}, 1 << 20, 1},
        {"backwards, the passed ones shelved", {"d.txt", "c.txt", "b.txt", "a.txt"}, 1 << 20, 1},
        // d's pass passes a, b and c unkept; c lies behind it, b behind c's, a behind b's.
        {"backwards with no budget", {"d.txt", "c.txt", "b.txt", "a.txt"}, 0, 4},
        // 3 bytes hold b but not a as well: a is read again.
        {"a budget for one", {"c.txt", "b.txt", "a.txt"}, 3, 2},
        {"the same member twice", {"b.txt", "b.txt"}, 1 << 20, 1},
        {"a plain file beside", {plain, "c.txt"}, 1 << 20, 1},
    };
    const std::map<std::string, std::string> content = {
        {"a.txt", "AA"}, {"b.txt", "BBB"}, {"c.txt", "C"}, {"d.txt", "DDDD"}, {plain, "plain"}};
    for (const Case& c : cases) {
        std::vector<std::string> paths;
        for (const std::string& m : c.asked) paths.push_back(m == plain ? plain : cbz + "/" + m);
        MemberShelf shelf(paths, c.budget);
        for (size_t k = 0; k < paths.size(); ++k) {
            const std::vector<uint8_t> bytes = shelf.Read(paths[k]);
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content.at(c.asked[k])) << c.what << " " << k;
        }
        EXPECT_EQ(shelf.Passes(), c.passes) << c.what;
    }
    // A member not named at the start is read all the same; one the archive lacks is refused
    // after one whole pass, and a broken archive names itself.
    MemberShelf shelf({cbz + "/a.txt"});
    EXPECT_EQ(shelf.Read(cbz + "/d.txt"), (std::vector<uint8_t>{'D', 'D', 'D', 'D'}));
    EXPECT_EQ(ErrorOf([&] { shelf.Read(cbz + "/gone.txt"); }), cbz + "/gone.txt: no such member in " + cbz);
    dir.Write("broken.cbz", "PK\3\4 not really");
    const std::string broken = (dir.Path() / "broken.cbz").string();
    EXPECT_EQ(ErrorOf([&] { shelf.Read(broken + "/a.txt"); }).rfind(broken + ": ", 0), 0u);
}

TEST(Containers, AnArchivePastTheMenusEntriesIsRefusedBeforeItsMembersAreRead) {
    Folder f(200, 3);
    const fs::path dir = f.dir.Path();
    WriteZip(dir / "three.cbz", {{"1.txt", "x"}, {"2.txt", "y"}, {"3.txt", "z"}, {"notes.md", "#"}});
    ItemList menu(3);
    for (size_t k = 0; k < LB_MAX_ENTRIES - 3; ++k) AddHeading(menu, "h");
    const int64_t before = menu.TotalSize;
    // A heading and three pictures or texts (the notes are not read) make 65,535 + 1.
    auto skipped = AddFile(menu, (dir / "three.cbz").string());
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0].reason, "its 3 entries would make the menu 65536 entries long; the "
                                 "handheld's menu holds at most 65535");
    EXPECT_EQ(menu.entries.size(), LB_MAX_ENTRIES - 3);
    EXPECT_EQ(menu.TotalSize, before);
    menu.TotalSize -= menu.entries.back().estimate;
    menu.entries.pop_back(); // one fewer: it fits exactly
    EXPECT_TRUE(AddFile(menu, (dir / "three.cbz").string()).empty());
    EXPECT_EQ(menu.entries.size(), size_t{LB_MAX_ENTRIES});
}

TEST(Containers, HeadingsKeepTheirEstimateWhenTheMenuIsEstimatedAnew) {
    Folder f(200, 3);
    WriteZip(f.dir.Path() / "c.cbz", {{"1.txt", std::string(5000, 'x')}});
    ItemList menu(3);
    ASSERT_TRUE(AddFile(menu, (f.dir.Path() / "c.cbz").string()).empty());
    const int64_t total = menu.TotalSize;
    const int64_t heading = menu.entries[0].estimate;
    Reestimate(menu);
    EXPECT_EQ(menu.entries[0].estimate, heading);
    EXPECT_EQ(menu.entries[0].estimate, 12 + 64); // an empty text and its name slot
    EXPECT_EQ(menu.TotalSize, total);
}

// Member names come out as UTF-8 in the "C" locale the tests run in: those marked UTF-8 as
// they are, those an old tool wrote in its code page converted from the one their bytes fit.
TEST(Containers, MemberNamesAreReadAsWrittenWhateverTheLocale) {
    struct Case {
        const char* what;
        std::vector<std::string> names; // as written
        const char* charset;            // their bytes; nullptr: UTF-8, marked so
    };
    const Case cases[] = {
        {"UTF-8, Chinese and Japanese", {"Summer Trip/第1話.txt", "Summer Trip/封面.txt"}, nullptr},
        {"GBK", {"第一章.txt", "第二章 归来.txt"}, "GBK"},
        {"Shift_JIS", {"夏の旅/第1話.txt", "夏の旅/あとがき.txt"}, "CP932"},
        {"Big5", {"第一章 歸來.txt", "封面.txt"}, "BIG5"},
        {"CP437", {"Café Été.txt", "Übung.txt"}, "CP437"},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::string>> members;
        for (const std::string& name : c.names)
            members.push_back({c.charset ? Encoded(name, c.charset) : name, "text of " + name});
        const std::string zip = dir.Write(std::string(c.what) + ".zip", ZipWithNames(members, !c.charset));
        std::vector<std::string> got = ContainerMembers(zip);
        std::sort(got.begin(), got.end());
        std::vector<std::string> wanted = c.names;
        std::sort(wanted.begin(), wanted.end());
        EXPECT_EQ(got, wanted) << c.what;
        const std::vector<uint8_t> text = ReadEntryBytes(zip + "/" + c.names[0]);
        EXPECT_EQ(std::string(text.begin(), text.end()), "text of " + c.names[0]) << c.what;
    }
}

// A folder takes every kind Lumenbrook reads, its books after the rest under their own
// headings; a folder or archive with nothing readable is skipped, never an empty heading.
TEST(Containers, EveryReadableKindIsTakenAndNothingReadableIsSkipped) {
    TempFolder dir;
    const std::vector<Member> book = {
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml", "<container xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">"
                                   "<rootfiles><rootfile full-path=\"p.opf\"/></rootfiles></container>"},
        {"p.opf", "<package xmlns=\"http://www.idpf.org/2007/opf\"><metadata "
                  "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Tales</dc:title></metadata>"
                  "<manifest><item id=\"c\" href=\"c.html\" media-type=\"application/xhtml+xml\"/>"
                  "</manifest><spine><itemref idref=\"c\"/></spine></package>"},
        {"c.html", "<html><body><h1>One</h1><p>Once.</p></body></html>"}};
    dir.Write("mixed/b.htm", "<p>page</p>");
    dir.Write("mixed/a.txt", "text");
    dir.Write("mixed/slides.odp", "#");
    WriteZip(dir.Path() / "mixed/tales.epub", book);
    dir.Write("pages/2.html", "<p>two</p>");
    dir.Write("pages/10.html", "<p>ten</p>");
    fs::create_directories(dir.Path() / "books");
    WriteZip(dir.Path() / "books/tales.epub", book);
    dir.Write("nothing/movie.avi", "x");
    WriteZip(dir.Path() / "nothing.cbz", {{"movie.avi", "x"}, {"slides.odp", "#"}});
    WriteZip(dir.Path() / "pages.zip", {{"p.html", "<p>x</p>"}});
    struct Case {
        const char* added;
        std::vector<std::string> names; // the entries added
        std::string skipped;            // the reason, when it is skipped
    };
    const Case cases[] = {
        {"mixed", {"@mixed", "a", "b", "@Tales", "One"}, ""},
        {"pages", {"@pages", "2", "10"}, ""},
        {"books", {"@Tales", "One"}, ""},
        {"pages.zip", {"@pages", "p"}, ""},
        {"nothing", {}, "the folder holds no picture, text, web page or book"},
        {"nothing.cbz", {}, "the archive holds no picture, text or web page"},
    };
    for (const Case& c : cases) {
        ItemList menu(3);
        const auto skipped = AddFile(menu, (dir.Path() / c.added).string());
        EXPECT_EQ(Names(menu), c.names) << c.added;
        ASSERT_EQ(skipped.size(), c.skipped.empty() ? 0u : 1u) << c.added;
        if (!c.skipped.empty()) {
            EXPECT_EQ(skipped[0].reason, c.skipped) << c.added;
        }
    }
}

// A .cb7 (7-Zip) is read like a .cbz; a .cbr libarchive cannot read is refused naming it.
TEST(Containers, SevenZipAndRarComics) {
    TempFolder dir;
    const std::string cb7 = (dir.Path() / "Comic.cb7").string();
    archive* a = archive_write_new();
    archive_write_set_format_7zip(a);
    ASSERT_EQ(archive_write_open_filename(a, cb7.c_str()), ARCHIVE_OK);
    for (const char* name : {"p2.txt", "p10.txt", "p1.txt"}) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname(e, name);
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, 5);
        archive_write_header(a, e);
        archive_write_data(a, name, 5);
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
    ItemList menu(3);
    EXPECT_TRUE(AddFile(menu, cb7).empty());
    EXPECT_EQ(Names(menu), (std::vector<std::string>{"@Comic", "p1", "p2", "p10"}));
    const std::vector<uint8_t> bytes = ReadEntryBytes(cb7 + "/p10.txt");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "p10.t");

    const std::string cbr = dir.Write("Broken.cbr", "Rar!\x1A\x07\x00 cut short");
    ItemList other(3);
    const auto skipped = AddFile(other, cbr);
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_TRUE(skipped[0].broken);
    EXPECT_TRUE(other.entries.empty());
}
