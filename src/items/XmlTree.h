#pragma once

// Reading XML documents of books (EPUB packages, FictionBook, Word and OpenDocument files)
// with libxml2: nothing fetched, no entity expanded, text taken from text nodes only.
#include <cstdint>
#include <libxml/tree.h>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lb {

struct FreeXmlDocument {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using XmlDocument = std::unique_ptr<xmlDoc, FreeXmlDocument>;

// Parsed without fetching anything and without expanding entities; null when it is not XML.
// The encoding is the document's own declaration (FictionBook is often windows-1251).
XmlDocument ParseXml(std::span<const uint8_t> bytes);

// An element of this local name, whatever its namespace.
bool Named(const xmlNode* node, const char* name);

// The text of the text nodes below `node` and its siblings, and never of an entity's
// reference: libxml2's own calls expand those, and a book that defines one entity of 10,000
// characters and uses it 10,000 times would take a gigabyte. The parser's depth limit bounds
// the recursion.
void AppendText(const xmlNode* node, std::string& out);

// An attribute's value; `space` its namespace, nullptr for one without.
std::string Attribute(const xmlNode* node, const char* name, const char* space = nullptr);
// The same whatever its namespace.
std::string AnyAttribute(const xmlNode* node, const char* name);

// The text inside, white space collapsed and trimmed.
std::string TextOf(const xmlNode* node);

// Every element below the root named `name`, in document order; and among `node`, its
// siblings after it and everything below them.
std::vector<const xmlNode*> Find(const xmlDoc* doc, const char* name);
void Find(const xmlNode* node, const char* name, std::vector<const xmlNode*>& found);

// The first child element of this local name, or null.
const xmlNode* Child(const xmlNode* node, const char* name);

} // namespace lb
