#pragma once

#include <string>
#include <string_view>

namespace lb {

// The text a browser shows for a page's body, taken from the HTML parser's tree the way
// the rendered-text rules of HTML do it without style sheets: blocks on their own lines,
// white space collapsed outside pre and textarea, table cells apart by tabs, image alt
// texts in place, hidden and non-visual elements left out. `html` and the result are
// UTF-8; lines end CR LF. Nothing is fetched and no script runs.
//
// `Main` keeps the page's own text: the one `main` element (or element with role="main"),
// else the one `article`, else the body; and leaves out navigation wherever it stands (nav,
// aside, role navigation, complementary or search, the body's own header and footer) and
// headings' permalinks (a link whose whole text is "¶" or "#").
enum class PageRule { Whole, Main };
std::string PageText(std::string_view html, PageRule rule = PageRule::Whole);

// The page's own name: the first heading (h1 to h6) of its main text as `Main` finds it, else
// its <title>; white space collapsed, permalink signs left out; empty when it has neither.
// UTF-8 in and out.
std::string PageName(std::string_view html);

// The name without the permalink signs ("¶", "#", "🔗") pages put beside headings, at either
// end, nor the blanks around them.
std::string WithoutPermalinkSigns(std::string name);

} // namespace lb
