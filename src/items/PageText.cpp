#include "items/PageText.h"

#include "common/AsciiCase.h"
#include "common/CodePage.h"
#include "common/Error.h"
#include "items/PageDepth.h"

#include <algorithm>
#include <gumbo.h>
#include <initializer_list>
#include <memory>
#include <vector>

namespace lb {

namespace {

int DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Gumbo reads a numeric character reference into a 32-bit int, so a long one wraps round to
// some other character or to a lone byte that is no UTF-8. HTML makes every reference past
// U+10FFFF the replacement character; we write those as &#xFFFD; before the parse.
std::string_view ClampNumericReferences(std::string_view html, std::string& storage) {
    size_t copied = 0;
    for (size_t at = html.find("&#"); at != std::string_view::npos; at = html.find("&#", at + 2)) {
        size_t i = at + 2;
        const bool hex = i < html.size() && (html[i] == 'x' || html[i] == 'X');
        if (hex) ++i;
        const size_t digits = i;
        uint32_t value = 0;
        for (int d; i < html.size() && (d = DigitValue(html[i], hex)) >= 0; ++i)
            value = std::min<uint32_t>(value * (hex ? 16 : 10) + static_cast<uint32_t>(d), 0x110000);
        if (i == digits || value <= 0x10FFFF) continue;
        if (storage.empty()) storage.reserve(html.size());
        storage.append(html.substr(copied, at - copied)).append("&#xFFFD");
        copied = i;
    }
    if (copied == 0) return html;
    storage.append(html.substr(copied));
    return storage;
}

// What an element does to the text around it.
enum class Role {
    Inline,    // its content flows with the text around it
    Hidden,    // gives no text at all
    Block,     // starts and ends on its own line
    Paragraph, // block with a blank line before and after
    Pre,       // block whose white space stays as written
    Textarea,  // inline, white space as written
    LineBreak,
    Image, // its alt text
    Cell,  // a tab after it when another cell follows in the row
};

// Elements that show nothing: document data, scripts, embedded content, frames, controls.
constexpr GumboTag kHiddenTags[] = {
    GUMBO_TAG_HEAD,     GUMBO_TAG_TITLE,  GUMBO_TAG_BASE,     GUMBO_TAG_LINK,
    GUMBO_TAG_META,     GUMBO_TAG_STYLE,  GUMBO_TAG_SCRIPT,   GUMBO_TAG_NOSCRIPT,
    GUMBO_TAG_TEMPLATE, GUMBO_TAG_IFRAME, GUMBO_TAG_OBJECT,   GUMBO_TAG_EMBED,
    GUMBO_TAG_APPLET,   GUMBO_TAG_PARAM,  GUMBO_TAG_VIDEO,    GUMBO_TAG_AUDIO,
    GUMBO_TAG_SOURCE,   GUMBO_TAG_TRACK,  GUMBO_TAG_CANVAS,   GUMBO_TAG_AREA,
    GUMBO_TAG_DATALIST, GUMBO_TAG_RP,     GUMBO_TAG_NOEMBED,  GUMBO_TAG_NOFRAMES,
    GUMBO_TAG_FRAMESET, GUMBO_TAG_FRAME,  GUMBO_TAG_INPUT,    GUMBO_TAG_BGSOUND,
    GUMBO_TAG_KEYGEN,   GUMBO_TAG_COL,    GUMBO_TAG_COLGROUP,
};

// Elements a browser's own style sheet shows as blocks.
constexpr GumboTag kBlockTags[] = {
    GUMBO_TAG_ADDRESS,    GUMBO_TAG_ARTICLE,  GUMBO_TAG_ASIDE,   GUMBO_TAG_BLOCKQUOTE,
    GUMBO_TAG_CENTER,     GUMBO_TAG_DETAILS,  GUMBO_TAG_DIR,     GUMBO_TAG_DIV,
    GUMBO_TAG_DL,         GUMBO_TAG_DT,       GUMBO_TAG_DD,      GUMBO_TAG_FIELDSET,
    GUMBO_TAG_FIGCAPTION, GUMBO_TAG_FIGURE,   GUMBO_TAG_FOOTER,  GUMBO_TAG_FORM,
    GUMBO_TAG_HEADER,     GUMBO_TAG_HGROUP,   GUMBO_TAG_HR,      GUMBO_TAG_LEGEND,
    GUMBO_TAG_LI,         GUMBO_TAG_MAIN,     GUMBO_TAG_MENU,    GUMBO_TAG_NAV,
    GUMBO_TAG_OL,         GUMBO_TAG_UL,       GUMBO_TAG_SECTION, GUMBO_TAG_SUMMARY,
    GUMBO_TAG_TABLE,      GUMBO_TAG_CAPTION,  GUMBO_TAG_THEAD,   GUMBO_TAG_TBODY,
    GUMBO_TAG_TFOOT,      GUMBO_TAG_TR,       GUMBO_TAG_OPTION,  GUMBO_TAG_OPTGROUP,
    GUMBO_TAG_MARQUEE,    GUMBO_TAG_MULTICOL, GUMBO_TAG_BODY,
};

constexpr GumboTag kParagraphTags[] = {GUMBO_TAG_P,  GUMBO_TAG_H1, GUMBO_TAG_H2, GUMBO_TAG_H3,
                                       GUMBO_TAG_H4, GUMBO_TAG_H5, GUMBO_TAG_H6};
constexpr GumboTag kPreTags[] = {GUMBO_TAG_PRE, GUMBO_TAG_LISTING, GUMBO_TAG_XMP,
                                 GUMBO_TAG_PLAINTEXT};

struct RoleTable {
    Role roles[GUMBO_TAG_LAST + 1];
    RoleTable() {
        std::fill(std::begin(roles), std::end(roles), Role::Inline);
        for (GumboTag tag : kHiddenTags) roles[tag] = Role::Hidden;
        for (GumboTag tag : kBlockTags) roles[tag] = Role::Block;
        for (GumboTag tag : kParagraphTags) roles[tag] = Role::Paragraph;
        for (GumboTag tag : kPreTags) roles[tag] = Role::Pre;
        roles[GUMBO_TAG_TEXTAREA] = Role::Textarea;
        roles[GUMBO_TAG_BR] = Role::LineBreak;
        roles[GUMBO_TAG_IMG] = roles[GUMBO_TAG_IMAGE] = Role::Image;
        roles[GUMBO_TAG_TD] = roles[GUMBO_TAG_TH] = Role::Cell;
    }
};

bool IsCollapsible(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool NamedNoCase(const GumboStringPiece& tag, std::string_view name) {
    // The original tag includes its brackets: "<dialog open>".
    if (tag.length < name.size() + 2) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if ((tag.data[i + 1] | 0x20) != name[i]) return false;
    char after = tag.data[name.size() + 1];
    return after == '>' || after == '/' || IsCollapsible(after);
}

Role RoleOf(const GumboNode* node) {
    static const RoleTable table;
    const GumboElement& e = node->v.element;
    if (gumbo_get_attribute(&e.attributes, "hidden")) return Role::Hidden;
    // The parser knows no number for <dialog>; a closed one shows nothing.
    if (e.tag == GUMBO_TAG_UNKNOWN && NamedNoCase(e.original_tag, "dialog"))
        return gumbo_get_attribute(&e.attributes, "open") ? Role::Block : Role::Hidden;
    return e.tag <= GUMBO_TAG_LAST ? table.roles[e.tag] : Role::Inline;
}

// Gathers the text with the line breaks that blocks ask for, collapsing white space as it
// goes. Line ends are "\n" until the end.
class TextCollector {
  public:
    // The text is seldom longer than the page; growing it in steps would copy it many times.
    explicit TextCollector(size_t pageSize) { out_.reserve(pageSize); }

    void Text(std::string_view s) {
        for (size_t i = 0; i < s.size(); ++i) {
            char c = s[i];
            if (IsCollapsible(c)) {
                if (!lineStart_ && pendingBreaks_ == 0) pendingSpace_ = true;
                continue;
            }
            Content();
            if (c == '\xC2' && i + 1 < s.size() && s[i + 1] == '\xA0') {
                out_ += ' '; // a no-break space is an ordinary blank, but never collapsed
                ++i;
            } else {
                out_ += c;
            }
        }
    }

    void PreservedText(std::string_view s) {
        for (size_t i = 0; i < s.size(); ++i) {
            char c = s[i];
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
            if (c == '\r' || c == '\n') {
                LineBreak();
            } else if (c == '\xC2' && i + 1 < s.size() && s[i + 1] == '\xA0') {
                Content();
                out_ += ' ';
                ++i;
            } else {
                Content();
                out_ += c;
            }
        }
    }

    // At least `count` line ends before the next content (2 leaves a blank line).
    void Breaks(int count) {
        pendingBreaks_ = std::max(pendingBreaks_, count);
        pendingSpace_ = false;
    }

    void LineBreak() {
        FlushBreaks();
        out_ += '\n';
        ++trailingNewlines_;
        lineStart_ = true;
        pendingSpace_ = false;
    }

    void Tab() {
        pendingSpace_ = false;
        Content();
        out_ += '\t';
        lineStart_ = true; // blanks at the start of the next cell go, as at a line's start
    }

    std::string Finish() {
        std::string text;
        text.reserve(out_.size() + static_cast<size_t>(std::count(out_.begin(), out_.end(), '\n')));
        for (char c : out_) {
            if (c == '\n') text += '\r';
            text += c;
        }
        return text;
    }

  private:
    void FlushBreaks() {
        // Line ends a <br> already gave count towards what the block asks for.
        if (pendingBreaks_ > 0 && !out_.empty()) {
            if (pendingBreaks_ > trailingNewlines_)
                out_.append(static_cast<size_t>(pendingBreaks_ - trailingNewlines_), '\n');
            lineStart_ = true;
            pendingSpace_ = false;
        }
        pendingBreaks_ = 0;
    }

    void Content() {
        FlushBreaks();
        if (pendingSpace_ && !lineStart_) out_ += ' ';
        pendingSpace_ = false;
        lineStart_ = false;
        trailingNewlines_ = 0;
    }

    std::string out_;
    int pendingBreaks_ = 0;
    int trailingNewlines_ = 0;
    bool pendingSpace_ = false;
    bool lineStart_ = true;
};

const GumboNode* FindBody(const GumboNode* root) {
    if (root->type != GUMBO_NODE_ELEMENT) return nullptr;
    const GumboVector& children = root->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
        auto child = static_cast<const GumboNode*>(children.data[i]);
        if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == GUMBO_TAG_BODY)
            return child;
    }
    return nullptr;
}

bool IsCellElement(const GumboNode* node) {
    return node->type == GUMBO_NODE_ELEMENT &&
           (node->v.element.tag == GUMBO_TAG_TD || node->v.element.tag == GUMBO_TAG_TH);
}

// Whether a cell in the same row comes after `index` among its parent's children.
bool CellFollows(const GumboNode* parent, unsigned index) {
    const GumboVector& siblings = parent->v.element.children;
    for (unsigned i = index + 1; i < siblings.length; ++i)
        if (IsCellElement(static_cast<const GumboNode*>(siblings.data[i]))) return true;
    return false;
}

// A closed <details> shows only its summary.
bool ShownInParent(const GumboNode* parent, const GumboNode* child) {
    if (parent->type != GUMBO_NODE_ELEMENT || parent->v.element.tag != GUMBO_TAG_DETAILS ||
        gumbo_get_attribute(&parent->v.element.attributes, "open"))
        return true;
    return child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == GUMBO_TAG_SUMMARY;
}

bool HasRole(const GumboNode* node, std::initializer_list<std::string_view> roles) {
    const GumboAttribute* role = gumbo_get_attribute(&node->v.element.attributes, "role");
    if (!role) return false;
    for (std::string_view r : roles)
        if (AsciiLower(role->value) == r) return true;
    return false;
}

bool IsElement(const GumboNode* node, GumboTag tag) {
    return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag;
}

// The text of an element's descendants, trimmed; empty once it passes `limit` bytes.
std::string ShortText(const GumboNode* node, size_t limit) {
    std::string text;
    std::vector<const GumboNode*> stack{node};
    while (!stack.empty()) {
        const GumboNode* n = stack.back();
        stack.pop_back();
        if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE ||
            n->type == GUMBO_NODE_CDATA) {
            text += n->v.text.text;
            if (text.size() > limit) return {};
        } else if (n->type == GUMBO_NODE_ELEMENT) {
            const GumboVector& children = n->v.element.children;
            for (unsigned i = children.length; i-- > 0;)
                stack.push_back(static_cast<const GumboNode*>(children.data[i]));
        }
    }
    const size_t first = text.find_first_not_of(" \t\r\n\f");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n\f") - first + 1);
}

// Under the main-text rule: navigation and permalinks give no text.
bool LeftOutOfMainText(const GumboNode* node, const GumboNode* parent) {
    const GumboTag tag = node->v.element.tag;
    if (tag == GUMBO_TAG_NAV || tag == GUMBO_TAG_ASIDE) return true;
    if (HasRole(node, {"navigation", "complementary", "search"})) return true;
    if ((tag == GUMBO_TAG_HEADER || tag == GUMBO_TAG_FOOTER) && IsElement(parent, GUMBO_TAG_BODY))
        return true;
    if (tag == GUMBO_TAG_A) {
        const std::string text = ShortText(node, 8);
        return text == "\xC2\xB6" || text == "#"; // "¶" or "#"
    }
    return false;
}

// Where the main text starts: the one main element (or role="main"), else the one article,
// else the body.
const GumboNode* MainTextRoot(const GumboNode* body) {
    std::vector<const GumboNode*> mains, articles, stack{body};
    while (!stack.empty()) {
        const GumboNode* n = stack.back();
        stack.pop_back();
        if (n->type != GUMBO_NODE_ELEMENT) continue;
        if (n->v.element.tag == GUMBO_TAG_MAIN || HasRole(n, {"main"})) mains.push_back(n);
        if (n->v.element.tag == GUMBO_TAG_ARTICLE) articles.push_back(n);
        const GumboVector& children = n->v.element.children;
        for (unsigned i = 0; i < children.length; ++i)
            stack.push_back(static_cast<const GumboNode*>(children.data[i]));
    }
    if (mains.size() == 1) return mains.front();
    if (articles.size() == 1) return articles.front();
    return body;
}

struct Frame {
    const GumboNode* node;
    Role role;
    unsigned next = 0; // next child to visit
};

void Enter(TextCollector& text, const GumboNode* node, Role role) {
    switch (role) {
    case Role::Block:
    case Role::Pre:
        text.Breaks(1);
        break;
    case Role::Paragraph:
        text.Breaks(2);
        break;
    case Role::LineBreak:
        text.LineBreak();
        break;
    case Role::Image:
        if (auto alt = gumbo_get_attribute(&node->v.element.attributes, "alt"))
            text.Text(alt->value);
        break;
    default:
        break;
    }
}

void Leave(TextCollector& text, const Frame& frame, const Frame* parent) {
    switch (frame.role) {
    case Role::Block:
    case Role::Pre:
        text.Breaks(1);
        break;
    case Role::Paragraph:
        text.Breaks(2);
        break;
    case Role::Cell:
        if (parent && CellFollows(parent->node, parent->next - 1)) text.Tab();
        break;
    default:
        break;
    }
}

} // namespace

std::string PageText(std::string_view page, PageRule rule) {
    std::string clamped;
    const std::string_view html = ClampNumericReferences(page, clamped);
    if (NestsDeeperThan(html, kMaxPageDepth))
        throw Error("the page nests its elements more than " + std::to_string(kMaxPageDepth) +
                    " deep, which Lumenbrook does not read");
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0; // the parse error list is of no use here and costs memory
    std::unique_ptr<GumboOutput, void (*)(GumboOutput*)> output(
        gumbo_parse_with_options(&options, html.data(), html.size()),
        [](GumboOutput* o) { gumbo_destroy_output(&kGumboDefaultOptions, o); });
    if (!output) throw Error("the page could not be parsed");

    TextCollector text(html.size());
    const GumboNode* body = FindBody(output->root);
    if (!body) return {};
    const bool mainText = rule == PageRule::Main;
    const GumboNode* root = mainText ? MainTextRoot(body) : body;
    // An explicit stack: pages may nest elements deeper than the call stack would allow.
    std::vector<Frame> stack{{root, Role::Block}};
    int preserving = 0;
    while (!stack.empty()) {
        Frame& top = stack.back();
        const GumboVector& children = top.node->v.element.children;
        if (top.next == children.length) {
            Frame done = top;
            stack.pop_back();
            if (done.role == Role::Pre || done.role == Role::Textarea) --preserving;
            Leave(text, done, stack.empty() ? nullptr : &stack.back());
            continue;
        }
        auto child = static_cast<const GumboNode*>(children.data[top.next++]);
        if (!ShownInParent(top.node, child)) continue;
        switch (child->type) {
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_WHITESPACE:
        case GUMBO_NODE_CDATA:
            if (preserving > 0)
                text.PreservedText(child->v.text.text);
            else
                text.Text(child->v.text.text);
            break;
        case GUMBO_NODE_ELEMENT: {
            Role role = RoleOf(child);
            if (role == Role::Hidden) break;
            if (mainText && LeftOutOfMainText(child, top.node)) {
                // What stood on either side of a block stays apart, as it was.
                if (role == Role::Block || role == Role::Paragraph || role == Role::Pre)
                    text.Breaks(1);
                break;
            }
            Enter(text, child, role);
            if (role == Role::Pre || role == Role::Textarea) ++preserving;
            stack.push_back({child, role});
            break;
        }
        default:
            break; // comments and templates give no text
        }
    }
    std::string result = text.Finish();
    // The parser's own faults are no reason to store bytes that are no text.
    return IsValidUtf8(result) ? result : ReplaceInvalidUtf8(result);
}

std::string WithoutPermalinkSigns(std::string name) {
    static const std::string_view signs[] = {"\xC2\xB6", "#", "\xF0\x9F\x94\x97"}; // ¶ # 🔗
    auto blank = [](char c) { return IsCollapsible(c); };
    for (bool cut = true; cut;) {
        cut = false;
        while (!name.empty() && blank(name.back())) name.pop_back();
        while (!name.empty() && blank(name.front())) name.erase(0, 1);
        for (std::string_view sign : signs) {
            // "#" only standing apart: "C#" keeps it.
            const bool apart = sign != "#";
            const size_t n = sign.size();
            if (name.size() >= n && name.compare(name.size() - n, n, sign) == 0 &&
                (apart || name.size() == n || blank(name[name.size() - n - 1]))) {
                name.resize(name.size() - n);
                cut = true;
            }
            if (name.compare(0, n, sign) == 0 && (apart || name.size() == n || blank(name[n]))) {
                name.erase(0, n);
                cut = true;
            }
        }
    }
    return name;
}

std::string PageName(std::string_view html) {
    if (NestsDeeperThan(html, kMaxPageDepth)) return {};
    std::unique_ptr<GumboOutput, void (*)(GumboOutput*)> output(
        gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size()),
        [](GumboOutput* o) { gumbo_destroy_output(&kGumboDefaultOptions, o); });
    if (!output) return {};
    auto named = [](const GumboNode* n) {
        std::string text;
        for (char c : ShortText(n, 1024)) {
            if (!IsCollapsible(c))
                text += c;
            else if (!text.empty() && text.back() != ' ')
                text += ' ';
        }
        text = WithoutPermalinkSigns(text);
        // The parser's own faults are no reason to give bytes that are no text.
        return IsValidUtf8(text) ? text : ReplaceInvalidUtf8(text);
    };
    // The first heading of the main text: a sidebar's "Navigation" names no chapter.
    if (const GumboNode* body = FindBody(output->root)) {
        std::vector<std::pair<const GumboNode*, const GumboNode*>> stack{{MainTextRoot(body), nullptr}};
        while (!stack.empty()) {
            const auto [n, parent] = stack.back();
            stack.pop_back();
            if (n->type != GUMBO_NODE_ELEMENT || RoleOf(n) == Role::Hidden) continue;
            if (parent && LeftOutOfMainText(n, parent)) continue;
            const GumboTag tag = n->v.element.tag;
            if (tag >= GUMBO_TAG_H1 && tag <= GUMBO_TAG_H6) {
                if (std::string name = named(n); !name.empty()) return name;
                continue;
            }
            const GumboVector& children = n->v.element.children;
            for (unsigned i = children.length; i-- > 0;)
                stack.push_back({static_cast<const GumboNode*>(children.data[i]), n});
        }
    }
    // Else the document's title.
    std::vector<const GumboNode*> stack{output->root};
    while (!stack.empty()) {
        const GumboNode* n = stack.back();
        stack.pop_back();
        if (n->type != GUMBO_NODE_ELEMENT || n->v.element.tag == GUMBO_TAG_BODY) continue;
        if (n->v.element.tag == GUMBO_TAG_TITLE) return named(n);
        const GumboVector& children = n->v.element.children;
        for (unsigned i = children.length; i-- > 0;)
            stack.push_back(static_cast<const GumboNode*>(children.data[i]));
    }
    return {};
}

} // namespace lb
