// Word (.docx) and OpenDocument (.odt) files: their paragraphs in document order, a chapter at
// each top-level heading, tables as rows of cells. Footnotes, comments, headers and footers
// live in parts of their own, or in elements passed over here; deleted tracked changes too.
#include "common/Error.h"
#include "items/DocumentReaders.h"
#include "items/EntrySource.h"
#include "items/XmlTree.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace lb {

namespace {

using Parts = std::map<std::string, std::vector<uint8_t>>;

Parts ReadParts(const std::string& path, std::initializer_list<const char*> names) {
    return ReadArchiveMembers(path, [&](const std::string& member) {
        for (const char* name : names)
            if (member == name) return true;
        return false;
    });
}

XmlDocument PartXml(const Parts& parts, const char* name, const char* what, bool needed) {
    const auto found = parts.find(name);
    XmlDocument doc = found == parts.end() ? nullptr : ParseXml(found->second);
    if (!doc && needed)
        throw Error(std::string("not ") + what + " Lumenbrook reads: " +
                    (found == parts.end() ? std::string("it has no ") + name
                                          : std::string(name) + " is not XML"));
    return doc;
}

std::string TitleOf(const XmlDocument& meta) {
    if (!meta) return "";
    const std::vector<const xmlNode*> titles = Find(meta.get(), "title");
    return titles.empty() ? "" : TextOf(titles.front());
}

// Word.

constexpr const char* kWord = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

// Style ids whose paragraphs are top-level headings: named "heading 1" or of outline level 0.
std::vector<std::string> TopHeadingStyles(const XmlDocument& styles) {
    std::vector<std::string> ids{"Heading1"};
    if (!styles) return ids;
    for (const xmlNode* style : Find(styles.get(), "style")) {
        const xmlNode* name = Child(style, "name");
        const xmlNode* outline = Child(Child(style, "pPr"), "outlineLvl");
        if ((name && Attribute(name, "val", kWord) == "heading 1") ||
            (outline && Attribute(outline, "val", kWord) == "0"))
            ids.push_back(Attribute(style, "styleId", kWord));
    }
    return ids;
}

void WordRuns(const xmlNode* node, std::string& out) {
    for (const xmlNode* n = node; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE) continue;
        if (Named(n, "t")) {
            std::string text;
            AppendText(n->children, text);
            out += EscapeHtml(text);
        } else if (Named(n, "tab")) {
            out += "\t";
        } else if (Named(n, "br") || Named(n, "cr")) {
            out += "<br>";
        } else if (!Named(n, "del") && !Named(n, "pPr") && !Named(n, "rPr") &&
                   !Named(n, "instrText") && !Named(n, "footnoteReference") &&
                   !Named(n, "endnoteReference")) {
            WordRuns(n->children, out); // runs, insertions, links, fields' results
        }
    }
}

std::string StyleOf(const xmlNode* p) {
    const xmlNode* style = Child(Child(p, "pPr"), "pStyle");
    return style ? Attribute(style, "val", kWord) : "";
}

bool TopHeading(const xmlNode* p, const std::vector<std::string>& headingStyles) {
    const xmlNode* properties = Child(p, "pPr");
    const xmlNode* outline = Child(properties, "outlineLvl");
    if (outline) return Attribute(outline, "val", kWord) == "0";
    const xmlNode* style = Child(properties, "pStyle");
    const std::string id = style ? Attribute(style, "val", kWord) : "";
    for (const std::string& heading : headingStyles)
        if (!id.empty() && id == heading) return true;
    return false;
}

void WordBlocks(const xmlNode* node, const std::vector<std::string>& headings,
                ChapterCollector& chapters) {
    for (const xmlNode* n = node; n; n = n->next) {
        if (Named(n, "p") && (StyleOf(n) == "Title" || StyleOf(n) == "Subtitle")) {
            continue; // the title block: the book's heading shows its title
        } else if (Named(n, "p")) {
            std::string text;
            WordRuns(n->children, text);
            if (TopHeading(n, headings)) {
                chapters.Start(TextOf(n));
                chapters.Add("<h1>" + text + "</h1>\n");
            } else {
                chapters.Add("<p>" + text + "</p>\n");
            }
        } else if (Named(n, "tbl")) {
            std::string html = "<table>";
            for (const xmlNode* row = n->children; row; row = row->next) {
                if (!Named(row, "tr")) continue;
                html += "<tr>";
                for (const xmlNode* cell = row->children; cell; cell = cell->next) {
                    if (!Named(cell, "tc")) continue;
                    std::string text;
                    for (const xmlNode* p = cell->children; p; p = p->next)
                        if (Named(p, "p")) {
                            if (!text.empty()) text += " ";
                            WordRuns(p->children, text);
                        }
                    html += "<td>" + text + "</td>";
                }
                html += "</tr>";
            }
            chapters.Add(html + "</table>\n");
        } else if (Named(n, "sdt") || Named(n, "sdtContent") || Named(n, "ins") ||
                   Named(n, "customXml")) {
            WordBlocks(n->children, headings, chapters);
        }
    }
}

// OpenDocument.

void OpenRuns(const xmlNode* node, std::string& out) {
    for (const xmlNode* n = node; n; n = n->next) {
        if ((n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) && n->content) {
            out += EscapeHtml(reinterpret_cast<const char*>(n->content));
        } else if (Named(n, "s")) {
            const std::string count = AnyAttribute(n, "c");
            out += std::string(
                count.empty() ? 1 : std::min<size_t>(std::strtoul(count.c_str(), nullptr, 10), 100),
                ' ');
        } else if (Named(n, "tab")) {
            out += "\t";
        } else if (Named(n, "line-break")) {
            out += "<br>";
        } else if (n->type == XML_ELEMENT_NODE && !Named(n, "note") && !Named(n, "annotation") &&
                   !Named(n, "frame") && !Named(n, "change-start") && !Named(n, "change")) {
            OpenRuns(n->children, out); // spans, links, bookmarks
        }
    }
}

void OpenBlocks(const xmlNode* node, ChapterCollector& chapters) {
    for (const xmlNode* n = node; n; n = n->next) {
        if (Named(n, "h")) {
            std::string text;
            OpenRuns(n->children, text);
            const std::string level = AnyAttribute(n, "outline-level");
            if (level.empty() || level == "1") {
                chapters.Start(TextOf(n));
                chapters.Add("<h1>" + text + "</h1>\n");
            } else {
                chapters.Add("<h2>" + text + "</h2>\n");
            }
        } else if (Named(n, "p")) {
            const std::string style = AnyAttribute(n, "style-name");
            if (style == "Title" || style == "Subtitle") continue; // the book's heading shows it
            std::string text;
            OpenRuns(n->children, text);
            chapters.Add("<p>" + text + "</p>\n");
        } else if (Named(n, "table")) {
            std::string html = "<table>";
            std::vector<const xmlNode*> rows;
            Find(n->children, "table-row", rows);
            for (const xmlNode* row : rows) {
                html += "<tr>";
                for (const xmlNode* cell = row->children; cell; cell = cell->next) {
                    if (!Named(cell, "table-cell")) continue;
                    std::string text;
                    for (const xmlNode* p = cell->children; p; p = p->next)
                        if (Named(p, "p") || Named(p, "h")) {
                            if (!text.empty()) text += " ";
                            OpenRuns(p->children, text);
                        }
                    html += "<td>" + text + "</td>";
                }
                html += "</tr>";
            }
            chapters.Add(html + "</table>\n");
        } else if (n->type == XML_ELEMENT_NODE && !Named(n, "tracked-changes") &&
                   !Named(n, "sequence-decls") && !Named(n, "variable-decls")) {
            OpenBlocks(n->children, chapters); // lists, list items, sections
        }
    }
}

} // namespace

DocumentBook ReadWordDocument(const std::string& path) {
    const Parts parts =
        ReadParts(path, {"word/document.xml", "word/styles.xml", "docProps/core.xml"});
    const XmlDocument document = PartXml(parts, "word/document.xml", "a Word document", true);
    const std::vector<const xmlNode*> bodies = Find(document.get(), "body");
    if (bodies.empty())
        throw Error("not a Word document Lumenbrook reads: word/document.xml has no body");
    ChapterCollector chapters;
    WordBlocks(bodies.front()->children,
               TopHeadingStyles(PartXml(parts, "word/styles.xml", "", false)), chapters);
    return chapters.Finish(TitleOf(PartXml(parts, "docProps/core.xml", "", false)));
}

DocumentBook ReadOpenDocumentText(const std::string& path) {
    const Parts parts = ReadParts(path, {"content.xml", "meta.xml"});
    const XmlDocument content = PartXml(parts, "content.xml", "an OpenDocument text", true);
    const std::vector<const xmlNode*> texts = Find(content.get(), "text");
    const xmlNode* body = nullptr;
    for (const xmlNode* t : texts)
        if (t->parent && Named(t->parent, "body")) body = t;
    if (!body)
        throw Error("not an OpenDocument text Lumenbrook reads: content.xml has no office:text");
    ChapterCollector chapters;
    OpenBlocks(body->children, chapters);
    return chapters.Finish(TitleOf(PartXml(parts, "meta.xml", "", false)));
}

} // namespace lb
