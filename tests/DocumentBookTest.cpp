// Books that are documents: FictionBook, Word, OpenDocument and Markdown files as a heading and
// their chapters, each made by an independent writer where one exists (pandoc), and broken
// files of each, with their causes.
#include "items/DocumentBook.h"
#include "BuildFolder.h"
#include "MenuChecks.h"
#include "TestFiles.h"
#include "TestPdf.h"
#include "TestZip.h"
#include "assembly/Build.h"
#include "format/RomLayout.h"
#include "menu/AddFile.h"
#include "menu/Estimate.h"
#include "menu/MenuListFile.h"
#include "rom/RomReader.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

bool Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Two chapters; the second's page reads "Two", a blank line, "Last words & more.".
const char* kMarkdown =
    "---\ntitle: Two Chapters\n---\n\n# One\n\nFirst words.\n\n# Two\n\nLast *words* & more.\n";

// A FictionBook in windows-1251, with a notes body that is left out.
std::string Cp1251Book() {
    return Encoded("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                   "<FictionBook "
                   "xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\"><description><title-info>"
                   "<book-title>Сказка</book-title></title-info></"
                   "description><body><title><p>Сказка</p></title>"
                   "<section><title><p>Глава первая</p></title><p>Жили-были.</p></section>"
                   "<section><title><p>Two</p></title><p>Last <emphasis>words</emphasis> &amp; "
                   "more.</p></section>"
                   "</body><body "
                   "name=\"notes\"><section><title><p>1</p></title><p>Сноска.</p></section></body>"
                   "</FictionBook>",
                   "CP1251");
}

// A PDF of three pages of text in Helvetica, each page's lines given, written by hand with its
// cross-reference table; `outline` its bookmarks (title, page from 0) and `title` its title.
std::string TextPdf(const std::vector<std::vector<std::string>>& pages,
                    const std::vector<std::pair<std::string, int>>& outline,
                    const std::string& title) {
    std::vector<std::string> bodies;
    const int n = int(pages.size()), firstPage = 5, firstContent = firstPage + n,
              firstItem = firstContent + n;
    std::string kids;
    for (int k = 0; k < n; ++k) kids += std::to_string(firstPage + k) + " 0 R ";
    bodies.push_back("<< /Type /Catalog /Pages 2 0 R" +
                     std::string(outline.empty() ? "" : " /Outlines 3 0 R") + " >>");
    bodies.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(n) + " >>");
    const int items = int(outline.size());
    bodies.push_back("<< /Type /Outlines /First " + std::to_string(firstItem) + " 0 R /Last " +
                     std::to_string(firstItem + std::max(items - 1, 0)) + " 0 R /Count " +
                     std::to_string(items) + " >>");
    bodies.push_back("<< /Title (" + title + ") >>");
    for (int k = 0; k < n; ++k)
        bodies.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 400] /Contents " +
                         std::to_string(firstContent + k) +
                         " 0 R /Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont "
                         "/Helvetica >> >> >> >>");
    for (const auto& lines : pages) {
        std::string stream = "BT /F1 12 Tf 20 360 Td 14 TL";
        for (const std::string& line : lines) stream += " (" + line + ") Tj T*";
        stream += " ET";
        bodies.push_back("<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream +
                         "\nendstream");
    }
    for (int k = 0; k < items; ++k)
        bodies.push_back(
            "<< /Title (" + outline[size_t(k)].first + ") /Parent 3 0 R /Dest [" +
            std::to_string(firstPage + outline[size_t(k)].second) + " 0 R /Fit]" +
            (k > 0 ? " /Prev " + std::to_string(firstItem + k - 1) + " 0 R" : "") +
            (k + 1 < items ? " /Next " + std::to_string(firstItem + k + 1) + " 0 R" : "") + " >>");
    return PdfOf(bodies, "/Info 4 0 R");
}

} // namespace

TEST(DocumentBooks, EachFormatIsAHeadingAndItsChapters) {
    struct Case {
        const char* file;
        const char* pandoc; // pandoc's writer, or nullptr for a file written here
        std::vector<std::string> names;
    } cases[] = {
        {"story.md", nullptr, {"@Two Chapters", "One", "Two"}},
        {"story.docx", "docx", {"@Two Chapters", "One", "Two"}},
        {"story.odt", "odt", {"@Two Chapters", "One", "Two"}},
        {"story.fb2", "fb2", {"@Two Chapters", "One", "Two"}},
        {"skazka.fb2", nullptr, {"@Сказка", "Глава первая", "Two"}},
        {"skazka.fb2.zip", nullptr, {"@Сказка", "Глава первая", "Two"}},
    };
    const bool pandoc = Shell("command -v pandoc");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        if (c.pandoc && !pandoc) continue;
        Folder f(200, 3);
        const std::string md = f.dir.Write("source.md", kMarkdown);
        const std::string path = (f.dir.Path() / c.file).string();
        if (c.pandoc)
            ASSERT_TRUE(Shell("pandoc '" + md + "' -t " + c.pandoc + " -o '" + path + "'"));
        else if (std::string(c.file) == "story.md")
            f.dir.Write(c.file, kMarkdown);
        else if (std::string(c.file) == "skazka.fb2")
            f.dir.Write(c.file, Cp1251Book());
        else
            WriteZip(path, {{"skazka.fb2", Cp1251Book()}});

        ItemList menu(3);
        ASSERT_TRUE(AddFile(menu, path).empty());
        EXPECT_EQ(Names(menu), c.names);
        ASSERT_EQ(menu.entries.size(), 3u);
        EXPECT_EQ(menu.entries[1].path, path + "/1");
        EXPECT_EQ(menu.entries[2].path, path + "/2");

        // The second chapter's record: the heading, a blank line, the paragraph with its
        // emphasis gone and "&" read; 25 bytes padded to 28 with blanks.
        const std::vector<uint8_t> image = BuildMenu(f, menu);
        const RomInfo info = ReadRom(image, 3);
        ASSERT_EQ(info.records.size(), 3u);
        const RecordInfo& r = info.records[2];
        EXPECT_EQ(r.type, LB_PLAIN_TEXT);
        EXPECT_EQ(r.sizeField, 28u);
        // Each chapter's estimate is its record's exact size.
        for (size_t k = 1; k < 3; ++k)
            EXPECT_EQ(menu.entries[k].estimate - NameSlot(menu.entries[k].name),
                      int64_t{LB_RECORD_HEADER_BYTES} + info.records[k].dataSize);
        EXPECT_EQ(RecordText(image, r), "Two\r\n\r\nLast words & more.   ");

        // A menu list names the same chapters again.
        size_t skipped = 0;
        const ItemList again = Reopened(menu, f.dir.Path(), &skipped);
        EXPECT_EQ(skipped, 0u);
        EXPECT_EQ(Names(again), c.names);
        EXPECT_EQ(again.TotalSize, menu.TotalSize);
    }
}

// A PDF with text: its outline's first level makes the chapters, its pages' lines are joined
// into paragraphs across the page's end; without an outline it is one entry.
TEST(DocumentBooks, PdfTextByItsOutline) {
    Folder f(200, 3);
    const std::vector<std::vector<std::string>> pages = {
        {"It was a dark and stormy night, and", "the road went on."},
        {"Second part begins and"},
        {"it ends here."}};
    const std::string pdf =
        f.dir.Write("tale.pdf", TextPdf(pages, {{"Beginning", 0}, {"Middle", 1}}, "A Tale"));
    ItemList menu(3);
    ASSERT_TRUE(AddFile(menu, pdf).empty());
    EXPECT_EQ(Names(menu), (std::vector<std::string>{"@A Tale", "Beginning", "Middle"}));
    EXPECT_EQ(menu.entries[2].path, pdf + "/chapter 2");
    const std::vector<uint8_t> image = BuildMenu(f, menu);
    const RomInfo info = ReadRom(image, 3);
    ASSERT_EQ(info.records.size(), 3u);
    // "Middle", a blank line, the two pages' lines as one paragraph: 46 bytes padded to 48.
    EXPECT_EQ(RecordText(image, info.records[2]),
              "Middle\r\n\r\nSecond part begins and it ends here.  ");

    const std::string plain = f.dir.Write("plain.pdf", TextPdf(pages, {}, "Plain"));
    ItemList whole(3);
    ASSERT_TRUE(AddFile(whole, plain).empty());
    EXPECT_EQ(Names(whole), (std::vector<std::string>{"@Plain", "Plain"}));
}

// A document without a top-level heading is one entry named by its title, else its file name.
TEST(DocumentBooks, AWholeDocumentIsOneEntry) {
    TempFolder dir;
    const std::string notes =
        dir.Write("notes.md", "Just a few lines\nof notes.\n\n## Not a chapter\n");
    ItemList menu(3);
    ASSERT_TRUE(AddFile(menu, notes).empty());
    EXPECT_EQ(Names(menu), (std::vector<std::string>{"@notes", "notes"}));
    // Markdown written in Windows-1252 is read in it: its headings stay whole characters.
    const std::string latin = dir.Write(
        "cafe.md", Encoded("# Café crème\n\nGoûté.\n\n# Zweites Kapitel\n\nÜbrig.\n", "CP1252"));
    ItemList chapters(3);
    ASSERT_TRUE(AddFile(chapters, latin).empty());
    EXPECT_EQ(Names(chapters),
              (std::vector<std::string>{"@cafe", "Café crème", "Zweites Kapitel"}));
}

TEST(DocumentBooks, BrokenFilesNameTheirCause) {
    TempFolder dir;
    struct Case {
        const char* file;
        std::string bytes;
        const char* cause; // what the reason begins with
    } cases[] = {
        {"plain.fb2", "hello, no XML here", "not a FictionBook (.fb2) Lumenbrook reads"},
        {"bodiless.fb2", "<FictionBook><description/></FictionBook>",
         "not a FictionBook (.fb2) Lumenbrook reads: it has no <body>"},
        {"cut.fb2", Cp1251Book().substr(0, 120), "not a FictionBook (.fb2) Lumenbrook reads"},
        {"plain.docx", "hello, no archive here", "not an archive Lumenbrook reads"},
        {"empty.docx", "", "not a Word document Lumenbrook reads: it has no word/document.xml"},
        {"empty.odt", "", "not an OpenDocument text Lumenbrook reads: it has no content.xml"},
        {"nothing.fb2.zip", "", "the archive holds no .fb2 book"},
        {"blank.md", "\n\n   \n", "the book has no text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = (dir.Path() / c.file).string();
        if (c.bytes.empty())
            WriteZip(path, {{"readme.txt", "nothing"}});
        else
            dir.Write(c.file, c.bytes);
        ItemList menu(3);
        const std::vector<SkippedFile> skipped = AddFile(menu, path);
        ASSERT_EQ(skipped.size(), 1u);
        EXPECT_TRUE(skipped[0].broken);
        EXPECT_EQ(skipped[0].reason.rfind(c.cause, 0), 0u) << skipped[0].reason;
        EXPECT_TRUE(menu.entries.empty());
    }
}

// What Word and OpenDocument files keep out of the text: deleted tracked changes, footnotes,
// comments; what they keep: insertions, and table rows as lines of cells.
TEST(DocumentBooks, LeftOutOfOfficeDocuments) {
    Folder f(200, 3);
    const std::string w =
        "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    WriteZip(f.dir.Path() / "edited.docx",
             {{"word/document.xml",
               "<w:document " + w +
                   "><w:body><w:p><w:r><w:t xml:space=\"preserve\">Kept </w:t></w:r>"
                   "<w:del><w:r><w:delText>gone "
                   "</w:delText></w:r></w:del><w:ins><w:r><w:t>added</w:t></w:r></w:ins>"
                   "<w:commentRangeStart/><w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>"
                   "<w:tbl><w:tr><w:tc><w:p><w:r><w:t>a1</w:t></w:r></w:p></"
                   "w:tc><w:tc><w:p><w:r><w:t>b1</w:t></w:r>"
                   "</w:p></w:tc></w:tr></w:tbl></w:body></w:document>"},
              {"word/footnotes.xml", "<w:footnotes " + w +
                                         "><w:footnote><w:p><w:r><w:t>Note</w:t></w:r></w:p>"
                                         "</w:footnote></w:footnotes>"}});
    const std::string o = "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                          "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                          "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\"";
    WriteZip(
        f.dir.Path() / "edited.odt",
        {{"content.xml",
          "<office:document-content " + o +
              "><office:body><office:text><text:tracked-changes><text:changed-region><text:"
              "deletion>"
              "<text:p>gone</text:p></text:deletion></text:changed-region></text:tracked-changes>"
              "<text:p>Kept "
              "<text:span>added</text:span><text:note><text:note-body><text:p>Note</text:p>"
              "</text:note-body></text:note><office:annotation><text:p>Comment</text:p></"
              "office:annotation>"
              "</text:p><table:table><table:table-row><table:table-cell><text:p>a1</text:p></"
              "table:table-cell>"
              "<table:table-cell><text:p>b1</text:p></table:table-cell></table:table-row></"
              "table:table>"
              "</office:text></office:body></office:document-content>"}});
    for (const char* file : {"edited.docx", "edited.odt"}) {
        SCOPED_TRACE(file);
        ItemList menu(3);
        ASSERT_TRUE(AddFile(menu, (f.dir.Path() / file).string()).empty());
        ASSERT_EQ(menu.entries.size(), 2u);
        const std::vector<uint8_t> image = BuildMenu(f, menu);
        const RomInfo info = ReadRom(image, 3);
        ASSERT_EQ(info.records.size(), 2u);
        // The paragraph, a blank line, the row's cells a tab apart: 19 bytes padded to 20.
        EXPECT_EQ(RecordText(image, info.records[1]), "Kept added\r\n\r\na1\tb1 ");
    }
}
