#include "common/Error.h"
#include "items/PageText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace lb;

namespace {

struct PageCase {
    const char* what;
    const char* html;
    const char* text;
};

const PageCase kPages[] = {
    {"body text", "<p>abc</p>", "abc"},
    {"head gives nothing",
     "<html><head><title>T</title><style>p{}</style><script>x=1</script></head>"
     "<body>Hi</body></html>",
     "Hi"},
    {"non-visual elements",
     "<body>a<script>b</script><style>c</style><template>d</template><noscript>e</noscript>"
     "<iframe>f</iframe><object>g</object><!-- h --><span hidden>i</span>j</body>",
     "aj"},
    {"blocks on their own lines", "<div>one</div><div>two</div>three", "one\r\ntwo\r\nthree"},
    {"blank line between paragraphs", "<p>one</p><p>two</p>", "one\r\n\r\ntwo"},
    {"blank line after a heading", "<h1>Title</h1>text<h3>Sub</h3>", "Title\r\n\r\ntext\r\n\r\nSub"},
    {"white space collapses across inline tags", "  a \n\t b  <b> c </b>  d  ", "a b c d"},
    {"line ends in the source are blanks", "a\r\nb\rc\nd", "a b c d"},
    {"blanks at a line's ends go", "<div> x </div> y ", "x\r\ny"},
    {"br breaks lines", "a<br>b<br><br>c", "a\r\nb\r\n\r\nc"},
    {"blanks around br go", "a <br> b", "a\r\nb"},
    {"br at a block's end adds no line", "<div>a<br></div>b", "a\r\nb"},
    {"br before a paragraph counts toward its blank line", "a<br><p>b</p>", "a\r\n\r\nb"},
    {"pre keeps white space", "<pre>\n  x  y\n\tz</pre>after", "  x  y\r\n\tz\r\nafter"},
    {"textarea keeps white space", "a<textarea>  two  spaces</textarea>b", "a  two  spacesb"},
    {"character references",
     "a &amp; b &lt;c&gt; &eacute;&#233;&#x4E2D; &copy x",
     "a & b <c> \xC3\xA9\xC3\xA9\xE4\xB8\xAD \xC2\xA9 x"},
    {"numeric references past U+10FFFF are the replacement character, however long",
     "a&#x110000;b&#xFFFFFFFFFd c&#x1000000FD;d&#99999999999;<img alt='&#xFFFFFFFF;'>&#x;",
     "a\xEF\xBF\xBD" "b\xEF\xBF\xBD c\xEF\xBF\xBD" "d\xEF\xBF\xBD\xEF\xBF\xBD&#x;"},
    {"no-break spaces are kept as blanks", "a&nbsp;&nbsp;b&nbsp; c", "a  b  c"},
    {"img gives its alt text", "see <img src=x.png alt='the sea'> here, <img src=y.png> there",
     "see the sea here, there"},
    {"table cells apart by tabs, rows by lines",
     "<table><tr><td>a</td><td>b</td></tr><tr><th>c</th><td> d </td></tr></table>",
     "a\tb\r\nc\td"},
    {"an empty cell still gives its tab", "<table><tr><td></td><td>b</td><td></td></tr></table>",
     "\tb\t"},
    {"nested lists",
     "<ul><li>one<ul><li>two</li><li>three</li></ul></li><li>four</li></ul><ol><li>five</ol>",
     "one\r\ntwo\r\nthree\r\nfour\r\nfive"},
    {"definition lists", "<dl><dt>term</dt><dd>meaning</dd></dl>", "term\r\nmeaning"},
    {"hr and blockquote", "a<hr>b<blockquote>c</blockquote>d", "a\r\nb\r\nc\r\nd"},
    {"closed details show the summary", "<details><summary>S</summary>more</details>", "S"},
    {"open details show all", "<details open><summary>S</summary>more</details>", "S\r\nmore"},
    {"a closed dialog shows nothing", "<dialog>x</dialog><DIALOGUE>y</DIALOGUE>", "y"},
    {"an open dialog is a block", "a<Dialog open>x</Dialog>b", "a\r\nx\r\nb"},
    {"empty body", "<html><body></body></html>", ""},
    {"body of blanks", "<body>  \n <p> </p> <div>\t</div></body>", ""},
    {"unclosed and misnested tags",
     "<p>one<b>two<p>three</i>four<div>five", "onetwo\r\n\r\nthreefour\r\n\r\nfive"},
    {"stray bytes become replacement characters", "a\xFF\xFE b", "a\xEF\xBF\xBD\xEF\xBF\xBD b"},
    {"frameset page has no body text", "<frameset><frame src=a.htm></frameset>", ""},
};

TEST(PageText, FollowsTheRenderedTextRules) {
    for (const auto& c : kPages) EXPECT_EQ(PageText(c.html), c.text) << c.what;
}

// The main-text rule: the page's own text, without its navigation, each case with the whole
// page's text beside it.
struct MainCase {
    const char* what;
    const char* html;
    const char* whole;
    const char* main;
};

const MainCase kMainPages[] = {
    {"one main", "<nav>Home</nav><main><h1>T</h1>text</main><footer>f</footer>",
     "Home\r\n\r\nT\r\n\r\ntext\r\nf", "T\r\n\r\ntext"},
    {"role=main stands for main", "<div role=navigation>menu</div><div role=MAIN>body</div>x",
     "menu\r\nbody\r\nx", "body"},
    {"two mains: the body, less its navigation",
     "<header>h</header><main>a</main><main>b</main><aside>s</aside>", "h\r\na\r\nb\r\ns",
     "a\r\nb"},
    {"one article in a page with a sidebar",
     "<div class=side><ul><li>one</li><li>two</li></ul></div><article>story</article>",
     "one\r\ntwo\r\nstory", "story"},
    {"two articles: the body", "<article>a</article><article>b</article>", "a\r\nb", "a\r\nb"},
    {"main wins over an article", "<article>x</article><main>m</main>", "x\r\nm", "m"},
    {"a header inside an article stays",
     "<header>site</header><article><header>Title</header>text<footer>by</footer></article>",
     "site\r\nTitle\r\ntext\r\nby", "Title\r\ntext\r\nby"},
    {"complementary and search roles go",
     "<main>a<div role=complementary>c</div><div role=search>s</div>b</main>", "a\r\nc\r\ns\r\nb",
     "a\r\nb"},
    {"permalinks give no text",
     "<main><h2>Intro<a href=#i>\xC2\xB6</a></h2><h3>More <a href=#m> # </a></h3><a "
     "href=x>#1</a></main>",
     "Intro\xC2\xB6\r\n\r\nMore #\r\n\r\n#1", "Intro\r\n\r\nMore\r\n\r\n#1"},
    {"nav inside main goes too", "<main><nav>prev next</nav>text</main>", "prev next\r\ntext",
     "text"},
};

TEST(PageText, MainTextKeepsThePagesOwnText) {
    for (const auto& c : kMainPages) {
        EXPECT_EQ(PageText(c.html), c.whole) << c.what;
        EXPECT_EQ(PageText(c.html, PageRule::Main), c.main) << c.what;
    }
}

// Python's documentation page, where Debian's python3-doc has it: its main text starts with
// the page's first heading, not with the sidebar's contents.
TEST(PageText, PythonsFunctionsPageStartsWithItsHeading) {
    const std::filesystem::path page = "/usr/share/doc/python3-doc/html/library/functions.html";
    if (!std::filesystem::exists(page)) GTEST_SKIP() << page << " is not installed (python3-doc)";
    std::ifstream in(page, std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string text = PageText(html, PageRule::Main);
    EXPECT_EQ(text.substr(0, 18), "Built-in Functions") << text.substr(0, 200);
    EXPECT_NE(PageText(html).substr(0, 18), "Built-in Functions");
}

// Nesting far deeper than any call stack would survive.
std::string Repeated(const std::string& part, int times) {
    std::string out;
    out.reserve(part.size() * static_cast<size_t>(times));
    for (int i = 0; i < times; ++i) out += part;
    return out;
}

// Pages nested past 10,000 elements are refused before the parser (whose tree a million
// nested spans overflowed the stack freeing); ordinary pages with as many tags are not.
TEST(PageText, NestingPastTheLimitIsRefusedAndOrdinaryPagesAreNot) {
    const std::string refused = "the page nests its elements more than 10000 deep, which Lumenbrook "
                                "does not read";
    const struct {
        const char* what;
        std::string html;
        bool read;
        const char* text; // when read: the text, or nullptr for any
    } cases[] = {
        {"5,000 nested spans", Repeated("<span>", 5000) + "deep", true, "deep"},
        {"10,000 nested divs, the limit", Repeated("<div>", 10000) + "deep", true, "deep"},
        {"10,001 nested divs", Repeated("<div>", 10001) + "deep", false, nullptr},
        {"1,000,000 nested spans", Repeated("<span>", 1000000) + "deep", false, nullptr},
        {"100,000 nested divs in mixed case", Repeated("<DiV class=a>", 100000), false, nullptr},
        {"30,000 paragraphs never closed", Repeated("<p>a", 30000), true, nullptr},
        {"30,000 list items and breaks", "<ul>" + Repeated("<li>b<br><img alt=\"\">", 30000), true,
         nullptr},
        {"30,000 closed divs", Repeated("<div>c</div>", 30000), true, nullptr},
        {"a script and a comment full of tags",
         "<script>" + Repeated("<div>", 20000) + "</script><!--" + Repeated("<b>", 20000) + "-->z",
         true, "z"},
        {"self-closed elements", Repeated("<span/>", 20000) + "y", true, "y"},
    };
    for (const auto& c : cases) {
        std::string text, error;
        try {
            text = PageText(c.html);
        } catch (const Error& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.read ? "" : refused) << c.what;
        if (c.read && c.text) {
            EXPECT_EQ(text, c.text) << c.what;
        }
        if (!c.read) {
            EXPECT_EQ(PageName("<h1>Title</h1>" + c.html), "") << c.what;
        }
    }
}

} // namespace

TEST(PageText, NamesLoseThePermalinkSignsBesideThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"1. Whetting Your Appetite\xC2\xB6", "1. Whetting Your Appetite"},
        {"\xC2\xB6 Start", "Start"},
        {"Install #", "Install"},
        {"# Install", "Install"},
        {"Learning C#", "Learning C#"},
        {"#1 Fans", "#1 Fans"},
        {"Links \xF0\x9F\x94\x97", "Links"},
        {"\xC2\xB6", ""},
        {"  Two \xC2\xB6 # ", "Two"},
    };
    for (const auto& [name, kept] : cases) EXPECT_EQ(WithoutPermalinkSigns(name), kept) << name;
}
