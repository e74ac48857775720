#include "items/XmlTree.h"

#include <libxml/parser.h>

namespace lb {

namespace {

std::string ValueOf(const xmlAttr* a) {
    std::string out;
    AppendText(a->children, out);
    return out;
}

} // namespace

XmlDocument ParseXml(std::span<const uint8_t> bytes) {
    return XmlDocument(xmlReadMemory(reinterpret_cast<const char*>(bytes.data()),
                                     static_cast<int>(bytes.size()), nullptr, nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

bool Named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, BAD_CAST name) == 0;
}

void AppendText(const xmlNode* node, std::string& out) {
    for (const xmlNode* n = node; n; n = n->next) {
        if ((n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) && n->content)
            out += reinterpret_cast<const char*>(n->content);
        else if (n->type == XML_ELEMENT_NODE)
            AppendText(n->children, out);
    }
}

std::string Attribute(const xmlNode* node, const char* name, const char* space) {
    for (const xmlAttr* a = node->properties; a; a = a->next) {
        const bool inSpace = a->ns && a->ns->href;
        if (xmlStrcmp(a->name, BAD_CAST name) != 0 ||
            (space ? !inSpace || xmlStrcmp(a->ns->href, BAD_CAST space) != 0 : inSpace))
            continue;
        return ValueOf(a);
    }
    return "";
}

std::string AnyAttribute(const xmlNode* node, const char* name) {
    for (const xmlAttr* a = node->properties; a; a = a->next)
        if (xmlStrcmp(a->name, BAD_CAST name) == 0) return ValueOf(a);
    return "";
}

std::string TextOf(const xmlNode* node) {
    std::string content;
    AppendText(node->children, content);
    std::string out;
    for (const char c : content) {
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

void Find(const xmlNode* node, const char* name, std::vector<const xmlNode*>& found) {
    for (const xmlNode* n = node; n; n = n->next) {
        if (Named(n, name)) found.push_back(n);
        if (n->children) Find(n->children, name, found);
    }
}

std::vector<const xmlNode*> Find(const xmlDoc* doc, const char* name) {
    std::vector<const xmlNode*> found;
    Find(xmlDocGetRootElement(doc), name, found);
    return found;
}

const xmlNode* Child(const xmlNode* node, const char* name) {
    for (const xmlNode* n = node ? node->children : nullptr; n; n = n->next)
        if (Named(n, name)) return n;
    return nullptr;
}

} // namespace lb
