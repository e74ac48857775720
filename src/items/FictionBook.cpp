// FictionBook 2: the book's title from <description>, its chapters the top-level sections of
// its main <body> (notes bodies left out), each made into HTML.
#include "common/Error.h"
#include "items/DocumentReaders.h"
#include "items/XmlTree.h"

namespace lb {

namespace {

// The inline markup of a paragraph: emphasis and strong kept, links and styles as their text.
void InlineHtml(const xmlNode* node, std::string& out) {
    for (const xmlNode* n = node; n; n = n->next) {
        if ((n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) && n->content) {
            out += EscapeHtml(reinterpret_cast<const char*>(n->content));
        } else if (n->type == XML_ELEMENT_NODE) {
            const char* tag = Named(n, "emphasis") ? "i" : Named(n, "strong") ? "b" : nullptr;
            if (tag) out += std::string("<") + tag + ">";
            InlineHtml(n->children, out);
            if (tag) out += std::string("</") + tag + ">";
        }
    }
}

std::string Paragraph(const xmlNode* p, const char* tag = "p") {
    std::string out = std::string("<") + tag + ">";
    InlineHtml(p->children, out);
    return out + "</" + tag + ">\n";
}

void BlocksHtml(const xmlNode* first, std::string& out);

// One block of a section: a paragraph, a verse, a table, or what holds more of them.
void BlockHtml(const xmlNode* n, std::string& out) {
    if (n->type != XML_ELEMENT_NODE) return;
    if (Named(n, "p") || Named(n, "v") || Named(n, "text-author")) {
        out += Paragraph(n);
    } else if (Named(n, "subtitle")) {
        out += Paragraph(n, "h3");
    } else if (Named(n, "empty-line")) {
        out += "<br>\n";
    } else if (Named(n, "title")) {
        out += "<h2>" + EscapeHtml(TextOf(n)) + "</h2>\n";
    } else if (Named(n, "epigraph") || Named(n, "cite")) {
        out += "<blockquote>";
        BlocksHtml(n->children, out);
        out += "</blockquote>\n";
    } else if (Named(n, "table")) {
        out += "<table>";
        for (const xmlNode* row = n->children; row; row = row->next) {
            if (!Named(row, "tr")) continue;
            out += "<tr>";
            for (const xmlNode* cell = row->children; cell; cell = cell->next)
                if (Named(cell, "td") || Named(cell, "th")) out += Paragraph(cell, "td");
            out += "</tr>";
        }
        out += "</table>\n";
    } else if (!Named(n, "image") && !Named(n, "binary")) {
        BlocksHtml(n->children, out); // sections within, poems, stanzas
    }
}

void BlocksHtml(const xmlNode* first, std::string& out) {
    for (const xmlNode* n = first; n; n = n->next) BlockHtml(n, out);
}

// A chapter: its title as its heading, then everything else in it.
void Section(const xmlNode* section, ChapterCollector& chapters) {
    const xmlNode* title = Child(section, "title");
    chapters.Start(title ? TextOf(title) : "");
    std::string html;
    if (title) html += "<h1>" + EscapeHtml(TextOf(title)) + "</h1>\n";
    for (const xmlNode* n = section->children; n; n = n->next)
        if (n != title) BlockHtml(n, html);
    chapters.Add(html);
}

} // namespace

DocumentBook ReadFictionBook(std::span<const uint8_t> fb2) {
    const XmlDocument doc = ParseXml(fb2);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (!root || !Named(root, "FictionBook"))
        throw Error("not a FictionBook (.fb2) Lumenbrook reads");
    std::string title;
    if (const xmlNode* info = Child(Child(root, "description"), "title-info"))
        if (const xmlNode* bookTitle = Child(info, "book-title")) title = TextOf(bookTitle);
    const xmlNode* body = nullptr;
    for (const xmlNode* n = root->children; n && !body; n = n->next)
        if (Named(n, "body") && AnyAttribute(n, "name") != "notes") body = n;
    if (!body) throw Error("not a FictionBook (.fb2) Lumenbrook reads: it has no <body>");
    ChapterCollector chapters;
    for (const xmlNode* n = body->children; n; n = n->next) {
        if (Named(n, "section")) {
            Section(n, chapters);
        } else if (!Named(n, "title")) { // the body's title repeats the book's
            std::string html;
            BlockHtml(n, html);
            chapters.Add(html);
        }
    }
    return chapters.Finish(title);
}

} // namespace lb
