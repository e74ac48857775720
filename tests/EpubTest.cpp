// EPUB books as menu entries: the heading with the book's title, one entry a chapter with
// text in reading order named by the table of contents, a menu list round trip, the
// chapters' records, and the books Lumenbrook refuses with their causes.
#include "BuildFolder.h"
#include "TestFiles.h"
#include "TestZip.h"
#include "assembly/Build.h"
#include "format/RomLayout.h"
#include "items/EpubBook.h"
#include "menu/AddFile.h"
#include "menu/MenuListFile.h"
#include "rom/RomReader.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

const char* kContainer = R"(<?xml version="1.0"?>
<container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">
  <rootfiles><rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/></rootfiles>
</container>)";

std::string Package(const std::string& title, const std::string& manifest, const std::string& spine,
                    const std::string& toc = "") {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<package xmlns="http://www.idpf.org/2007/opf" version="3.0">
  <metadata xmlns:dc="http://purl.org/dc/elements/1.1/">)" +
           (title.empty() ? "" : "<dc:title>" + title + "</dc:title>") + R"(</metadata>
  <manifest>)" +
           manifest + R"(</manifest>
  <spine)" +
           (toc.empty() ? "" : " toc=\"" + toc + "\"") + ">" + spine + R"(</spine>
</package>)";
}

std::string Item(const std::string& id, const std::string& href,
                 const std::string& properties = "") {
    return "<item id=\"" + id + "\" href=\"" + href + "\" media-type=\"application/xhtml+xml\"" +
           (properties.empty() ? "" : " properties=\"" + properties + "\"") + "/>";
}

std::string Ref(const std::string& id) {
    return "<itemref idref=\"" + id + "\"/>";
}

std::string Page(const std::string& body, const std::string& title = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html "
           "xmlns=\"http://www.w3.org/1999/xhtml\"><head>" +
           (title.empty() ? "" : "<title>" + title + "</title>") + "</head><body>" + body +
           "</body></html>";
}

// An EPUB 3 book: a navigation document whose toc names two chapters (the landmarks before
// it name another; a permalink sign follows one label), a cover without text, a chapter named
// by its heading, one by nothing, one by its title, one by the heading of its main text (not
// the sidebar's), and two reading-order items that point into a chapter already read.
std::vector<Member> Epub3() {
    const std::string nav = Page(
        R"(<nav xmlns:epub="http://www.idpf.org/2007/ops" epub:type="landmarks"><ol><li><a href="text/ch3.xhtml">Start here</a></li></ol></nav>)"
        R"(<nav xmlns:epub="http://www.idpf.org/2007/ops" epub:type="toc"><ol><li><a href="text/ch1.xhtml">One</a></li>)"
        R"(<li><a href="text/ch2.xhtml#start">Two &amp; more ¶</a></li><li><a href="text/ch2.xhtml#later">Later</a></li></ol></nav>)");
    return {{"mimetype", "application/epub+zip"},
            {"META-INF/container.xml", kContainer},
            {"OEBPS/content.opf",
             Package("Tides and Moons",
                     Item("nav", "nav.xhtml", "nav") + Item("cover", "cover.xhtml") +
                         Item("c1", "text/ch1.xhtml") + Item("c2", "text/ch2.xhtml") +
                         Item("c3", "text/ch3.xhtml") + Item("c4", "text/ch4.xhtml") +
                         Item("c2later", "text/ch2.xhtml#later") + Item("c5", "text/ch5.xhtml") +
                         Item("c6", "text/ch6.xhtml"),
                     Ref("cover") + Ref("c1") + Ref("c2") + Ref("c3") + Ref("c2later") + Ref("c4") +
                         Ref("c1") + Ref("c5") + Ref("c6"))},
            {"OEBPS/nav.xhtml", nav},
            {"OEBPS/cover.xhtml", Page("<img src=\"cover.jpg\"/>")},
            {"OEBPS/text/ch1.xhtml", Page("<nav>skip</nav><h1>One</h1><p>abc</p>")},
            {"OEBPS/text/ch2.xhtml", Page("<p id=\"start\">two</p>")},
            {"OEBPS/text/ch3.xhtml", Page("<h2>Heading  Three</h2><p>three</p>")},
            {"OEBPS/text/ch4.xhtml", Page("<p>four</p>")},
            {"OEBPS/text/ch5.xhtml", Page("<p>five</p>", "Five from its title")},
            {"OEBPS/text/ch6.xhtml",
             Page("<div role=\"navigation\"><h3>Navigation</h3></div><main><h1>Six<a "
                  "href=\"#six\">\xC2\xB6</a></h1><p>six</p></main>",
                  "Book - Six")}};
}

// An EPUB 2 book: the table of contents in an NCX only, a Chinese title, one chapter in Big5
// declared by its XML declaration (中文 is A4A4 A4E5) and one named by nothing.
std::vector<Member> Epub2() {
    const std::string ncx = R"(<?xml version="1.0"?>
<ncx xmlns="http://www.daisy.org/z3986/2005/ncx/" version="2005-1"><navMap>
  <navPoint id="n1"><navLabel><text>第一章</text></navLabel><content src="ch1.html"/></navPoint>
</navMap></ncx>)";
    return {{"META-INF/container.xml", kContainer},
            {"OEBPS/content.opf",
             Package("潮汐之書",
                     "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>" +
                         Item("a", "ch1.html") + Item("b", "ch2.html"),
                     Ref("a") + Ref("b"), "ncx")},
            {"OEBPS/toc.ncx", ncx},
            {"OEBPS/ch1.html",
             "<?xml version=\"1.0\" "
             "encoding=\"big5\"?>\n<html><body><p>\xA4\xA4\xA4\xE5</p></body></html>"},
            {"OEBPS/ch2.html", Page("<p>x</p>")}};
}

std::vector<std::string> Names(const ItemList& menu) {
    std::vector<std::string> names;
    for (const MenuEntry& e : menu.entries) names.push_back(e.name);
    return names;
}

// The data of record `k` of the built image.
std::string RecordData(const std::string& rom, int font, size_t k) {
    const auto bytes = ReadBytes(rom);
    RomInfo info = ReadRom(bytes, font);
    const size_t at = info.records.at(k).offset + LB_RECORD_HEADER_BYTES;
    return std::string(bytes.begin() + long(at),
                       bytes.begin() + long(at + info.records[k].dataSize));
}

} // namespace

TEST(Epub, ChaptersInReadingOrderNamedByTheTableOfContents) {
    struct Case {
        const char* file;
        std::vector<Member> members;
        int font;
        std::vector<std::string> names;
        size_t chapter;     // the entry whose record is checked
        std::string record; // its data
    } cases[] = {
        {"Tides.epub",
         Epub3(),
         3,
         {"@Tides and Moons", "One", "Two & more", "Heading Three", "Chapter 4", "Five from its title",
          "Six"},
         1,
         "One\r\n\r\nabc  "},
        {"tide.epub", Epub2(), 1, {"@潮汐之書", "第一章", "第 2 章"}, 1, "\xA4\xA4\xA4\xE5"},
    };
    for (const Case& c : cases) {
        Folder f(200, c.font);
        const fs::path book = f.dir.Path() / c.file;
        WriteZip(book, c.members);
        ItemList menu(c.font);
        EXPECT_EQ(AddFile(menu, book.string()).size(), 0u) << c.file;
        EXPECT_EQ(Names(menu), c.names) << c.file;
        EXPECT_EQ(menu.entries.at(1).path,
                  book.string() + (c.font == 3 ? "/OEBPS/text/ch1.xhtml" : "/OEBPS/ch1.html"));

        // A menu list keeps the names: each chapter's is found again in the book.
        const std::string list = (f.dir.Path() / "menu.lkm").string();
        std::vector<std::string> paths;
        for (const MenuEntry& e : menu.entries) paths.push_back(e.path);
        WriteMenuList(list, paths);
        ItemList again(c.font);
        EXPECT_EQ(OpenMenu(again, list, c.font).size(), 0u) << c.file;
        EXPECT_EQ(Names(again), c.names) << c.file;
        EXPECT_EQ(again.TotalSize, menu.TotalSize) << c.file;

        // The build: the heading empty, each chapter its main text in the font's code page.
        f.request.entries = menu.ForBuild();
        Recorder progress;
        Conver(f.request, progress);
        EXPECT_EQ(RecordData(f.request.outputPath, c.font, 0), "") << c.file;
        EXPECT_EQ(RecordData(f.request.outputPath, c.font, c.chapter), c.record) << c.file;
    }
}

TEST(Epub, BooksThatCannotBeReadNameTheCause) {
    std::vector<Member> encrypted = Epub3();
    encrypted.push_back(
        {"META-INF/encryption.xml",
         R"(<encryption xmlns="urn:oasis:names:tc:opendocument:xmlns:container" xmlns:enc="http://www.w3.org/2001/04/xmlenc#">
  <enc:EncryptedData><enc:CipherData><enc:CipherReference URI="OEBPS/text/ch2.xhtml"/></enc:CipherData></enc:EncryptedData>
</encryption>)"});
    std::vector<Member> fontsOnly = Epub3(); // obfuscated fonts are no obstacle
    fontsOnly.push_back(
        {"META-INF/encryption.xml",
         R"(<encryption xmlns="urn:oasis:names:tc:opendocument:xmlns:container" xmlns:enc="http://www.w3.org/2001/04/xmlenc#">
  <enc:EncryptedData><enc:CipherData><enc:CipherReference URI="OEBPS/fonts/a.otf"/></enc:CipherData></enc:EncryptedData>
</encryption>)"});
    std::vector<Member> noContainer = Epub3();
    noContainer.erase(noContainer.begin() + 1);
    std::vector<Member> brokenPackage = Epub3();
    brokenPackage[2].bytes = "<package><manifest>";
    std::vector<Member> missingChapter = Epub3();
    missingChapter.pop_back(); // ch6.xhtml
    std::vector<Member> unlisted = Epub3();
    unlisted[2].bytes = Package("T", Item("c1", "text/ch1.xhtml"), Ref("c1") + Ref("c9"));
    std::vector<Member> bomb = Epub3();
    bomb.push_back({"OEBPS/text/huge.xhtml", "", 65u << 20});
    std::string refs;
    for (int k = 0; k < 65536; ++k) refs += Ref("c1");
    std::vector<Member> longSpine = Epub3();
    longSpine[2].bytes = Package("T", Item("c1", "text/ch1.xhtml"), refs);
    struct Case {
        const char* what;
        const std::vector<Member>& members;
        const char* cause; // empty: it reads
    } cases[] = {
        {"encrypted chapters", encrypted,
         "the book is protected by DRM (OEBPS/text/ch2.xhtml is encrypted); Lumenbrook reads only "
         "books "
         "without it"},
        {"encrypted fonts only", fontsOnly, ""},
        {"no container", noContainer,
         "not an EPUB book Lumenbrook reads: its container META-INF/container.xml is missing"},
        {"a broken package document", brokenPackage,
         "not an EPUB book Lumenbrook reads: its package document OEBPS/content.opf is broken"},
        {"a chapter missing", missingChapter,
         "its reading order names OEBPS/text/ch6.xhtml, which the book does not hold"},
        {"a member past the limit", bomb, "OEBPS/text/huge.xhtml is larger than 64 MiB"},
        {"a chapter not in the manifest", unlisted,
         "its reading order names \"c9\", which its package document does not list"},
        {"a reading order longer than a menu", longSpine,
         "its reading order has 65536 documents; the handheld's menu holds at most 65535 entries"},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        const fs::path book = dir.Path() / (std::string(c.what) + ".epub");
        WriteZip(book, c.members);
        ItemList menu(3);
        auto skipped = AddFile(menu, book.string());
        if (!*c.cause) {
            EXPECT_EQ(skipped.size(), 0u) << c.what;
            EXPECT_EQ(menu.entries.size(), 7u) << c.what;
            continue;
        }
        ASSERT_EQ(skipped.size(), 1u) << c.what;
        EXPECT_EQ(skipped[0].reason, c.cause) << c.what;
        EXPECT_TRUE(menu.entries.empty()) << c.what;
    }
}

// An entity of 10,000 characters used 10,000 times in the title and in a label is never
// expanded (that would take a gigabyte): the book reads without it, named by its file.
TEST(Epub, EntitiesAreNeverExpanded) {
    std::string uses;
    for (int i = 0; i < 10000; ++i) uses += "&e;";
    const std::string entity = "<!DOCTYPE x [<!ENTITY e \"" + std::string(10000, 'x') + "\">]>\n";
    std::vector<Member> book = Epub2();
    std::string& package = book[1].bytes;
    package.replace(package.find("潮汐之書"), std::string("潮汐之書").size(), uses);
    std::string& ncx = book[2].bytes;
    ncx.replace(ncx.find("第一章"), std::string("第一章").size(), uses);
    for (std::string* xml : {&package, &ncx}) xml->insert(xml->find("?>") + 2, "\n" + entity);
    TempFolder dir;
    const fs::path path = dir.Path() / "Bomb.epub";
    WriteZip(path, book);
    ItemList menu(3);
    EXPECT_TRUE(AddFile(menu, path.string()).empty());
    ASSERT_EQ(menu.entries.size(), 3u);
    EXPECT_EQ(menu.entries[0].name, "@Bomb");
    for (const MenuEntry& e : menu.entries) EXPECT_LT(e.name.size(), 100u) << e.name.substr(0, 40);
}
