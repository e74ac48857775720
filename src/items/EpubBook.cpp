#include "items/EpubBook.h"

#include "common/CodePage.h"
#include "common/Error.h"
#include "format/RomLayout.h"
#include "items/EntrySource.h"
#include "items/PageCharset.h"
#include "items/PageText.h"
#include "items/XmlTree.h"

#include <filesystem>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace lb {

namespace {

using Members = std::map<std::string, std::vector<uint8_t>>;

using Document = XmlDocument;

std::string Folder(const std::string& member) {
    const size_t slash = member.rfind('/');
    return slash == std::string::npos ? "" : member.substr(0, slash + 1);
}

// A reference from a document in `folder` to a member of the book: fragment dropped, %XX
// decoded, "." and ".." resolved.
std::string Resolve(const std::string& folder, std::string href) {
    href = href.substr(0, href.find('#'));
    std::string decoded;
    for (size_t i = 0; i < href.size(); ++i) {
        if (href[i] == '%' && i + 2 < href.size() &&
            std::isxdigit(static_cast<unsigned char>(href[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(href[i + 2]))) {
            decoded += static_cast<char>(std::stoi(href.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += href[i];
        }
    }
    std::string joined =
        !decoded.empty() && decoded[0] == '/' ? decoded.substr(1) : folder + decoded;
    std::vector<std::string> parts;
    for (size_t at = 0; at <= joined.size();) {
        size_t slash = joined.find('/', at);
        if (slash == std::string::npos) slash = joined.size();
        const std::string part = joined.substr(at, slash - at);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = slash + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += (out.empty() ? "" : "/") + part;
    return out;
}

const std::vector<uint8_t>& Member(const Members& members, const std::string& book,
                                   const std::string& name, const char* what) {
    auto found = members.find(name);
    if (found == members.end())
        throw Error(book + ": not an EPUB book Lumenbrook reads: " + what + " " + name +
                    " is missing");
    return found->second;
}

// The table of contents as (member, label) in order: the EPUB 3 navigation document's toc,
// else the NCX's navigation points.
std::vector<std::pair<std::string, std::string>>
TableOfContents(const Members& members, const std::string& navPath, const std::string& ncxPath) {
    std::vector<std::pair<std::string, std::string>> toc;
    if (auto nav = members.find(navPath); !navPath.empty() && nav != members.end()) {
        if (Document doc = ParseXml(nav->second)) {
            std::vector<const xmlNode*> navs = Find(doc.get(), "nav");
            const xmlNode* chosen = navs.empty() ? nullptr : navs.front();
            for (const xmlNode* n : navs)
                if (Attribute(n, "type", "http://www.idpf.org/2007/ops") == "toc") chosen = n;
            std::vector<const xmlNode*> links;
            if (chosen) Find(chosen->children, "a", links);
            for (const xmlNode* a : links)
                toc.emplace_back(Resolve(Folder(navPath), Attribute(a, "href")), TextOf(a));
        }
        if (!toc.empty()) return toc;
    }
    if (auto ncx = members.find(ncxPath); !ncxPath.empty() && ncx != members.end()) {
        if (Document doc = ParseXml(ncx->second)) {
            for (const xmlNode* point : Find(doc.get(), "navPoint")) {
                std::string label, src;
                for (const xmlNode* c = point->children; c; c = c->next) {
                    if (Named(c, "navLabel") && label.empty()) label = TextOf(c);
                    if (Named(c, "content") && src.empty()) src = Attribute(c, "src");
                }
                toc.emplace_back(Resolve(Folder(ncxPath), src), label);
            }
        }
    }
    return toc;
}

// Chapters encrypted by DRM cannot be read; obfuscated fonts (the one other use of
// encryption.xml) do not matter here.
void RefuseEncryptedChapters(const Members& members, const std::string& book,
                             const std::vector<std::string>& spine) {
    auto encryption = members.find("META-INF/encryption.xml");
    if (encryption == members.end()) return;
    Document doc = ParseXml(encryption->second);
    if (!doc) return;
    for (const xmlNode* reference : Find(doc.get(), "CipherReference")) {
        const std::string uri = Resolve("", Attribute(reference, "URI"));
        for (const std::string& chapter : spine)
            if (chapter == uri)
                throw Error(book + ": the book is protected by DRM (" + uri +
                            " is encrypted); Lumenbrook reads only books without it");
    }
}

} // namespace

EpubBook ReadEpub(const std::string& path) {
    // Only the documents that make up the book's text; its pictures and fonts stay unread.
    const Members members = ReadArchiveMembers(path, [](const std::string& name) {
        const size_t dot = name.rfind('.');
        const std::string ending = dot == std::string::npos ? "" : name.substr(dot);
        for (const char* e : {".xml", ".opf", ".ncx", ".xhtml", ".html", ".htm", ".xht"})
            if (ending == e) return true;
        return name == "mimetype";
    });
    Document container = ParseXml(Member(members, path, "META-INF/container.xml", "its container"));
    std::vector<const xmlNode*> rootfiles =
        container ? Find(container.get(), "rootfile") : std::vector<const xmlNode*>{};
    if (rootfiles.empty() || Attribute(rootfiles.front(), "full-path").empty())
        throw Error(path +
                    ": not an EPUB book Lumenbrook reads: its container names no package document");
    const std::string opfPath = Resolve("", Attribute(rootfiles.front(), "full-path"));
    Document opf = ParseXml(Member(members, path, opfPath, "its package document"));
    if (!opf)
        throw Error(path + ": not an EPUB book Lumenbrook reads: its package document " + opfPath +
                    " is broken");

    EpubBook book;
    for (const xmlNode* title : Find(opf.get(), "title"))
        if (book.title.empty() && title->ns &&
            xmlStrcmp(title->ns->href, BAD_CAST "http://purl.org/dc/elements/1.1/") == 0)
            book.title = TextOf(title);
    std::map<std::string, std::string> manifest; // id to member
    std::string navPath;
    for (const xmlNode* item : Find(opf.get(), "item")) {
        const std::string member = Resolve(Folder(opfPath), Attribute(item, "href"));
        manifest[Attribute(item, "id")] = member;
        if (Attribute(item, "properties").find("nav") != std::string::npos) navPath = member;
    }
    std::vector<const xmlNode*> spines = Find(opf.get(), "spine");
    if (spines.empty())
        throw Error(path +
                    ": not an EPUB book Lumenbrook reads: its package document has no spine");
    const std::string ncxPath = manifest.count(Attribute(spines.front(), "toc"))
                                    ? manifest[Attribute(spines.front(), "toc")]
                                    : "";
    std::vector<std::string> spine;
    std::vector<const xmlNode*> itemrefs;
    Find(spines.front()->children, "itemref", itemrefs);
    if (itemrefs.size() > LB_MAX_ENTRIES)
        throw Error(path + ": its reading order has " + std::to_string(itemrefs.size()) +
                    " documents; the handheld's menu holds at most " + std::to_string(LB_MAX_ENTRIES) +
                    " entries");
    for (const xmlNode* itemref : itemrefs) {
        const std::string id = Attribute(itemref, "idref");
        if (!manifest.count(id))
            throw Error(path + ": its reading order names \"" + id +
                        "\", which its package document does not list");
        const std::string& member = manifest[id];
        if (!members.count(member))
            throw Error(path + ": its reading order names " + member +
                        ", which the book does not hold");
        spine.push_back(member);
    }
    RefuseEncryptedChapters(members, path, spine);

    std::map<std::string, std::string> labels; // each member's first label
    for (auto& [target, label] : TableOfContents(members, navPath, ncxPath))
        if (std::string name = WithoutPermalinkSigns(label); !name.empty())
            labels.emplace(target, std::move(name));
    std::set<std::string> added;
    for (const std::string& member : spine) {
        // Reading-order items that point into a document already added (by fragment, or the
        // same one twice) would copy its whole text again.
        if (!added.insert(member).second) continue;
        const std::vector<uint8_t>& bytes = members.at(member);
        const std::string html =
            PageToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                       CodePage::Western);
        if (PageText(html, PageRule::Main).empty()) continue;
        EpubChapter chapter{member, {}};
        if (auto label = labels.find(member); label != labels.end()) chapter.name = label->second;
        if (chapter.name.empty()) chapter.name = PageName(html);
        book.chapters.push_back(std::move(chapter));
    }
    return book;
}

EpubBook CachedEpub(const std::string& path) {
    struct Kept {
        std::filesystem::file_time_type time;
        uintmax_t size;
        EpubBook book;
    };
    static std::mutex mutex;
    static std::map<std::string, Kept> kept;
    std::lock_guard lock(mutex);
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    const uintmax_t size = std::filesystem::file_size(path, ec);
    auto found = kept.find(path);
    if (found == kept.end() || found->second.time != time || found->second.size != size)
        found = kept.insert_or_assign(path, Kept{time, size, ReadEpub(path)}).first;
    return found->second.book;
}

} // namespace lb
