#pragma once

#include <string>
#include <string_view>

namespace lb {

// How a text's line ends are stored (`--paragraphs`): `Keep` as they stand; `Lines` every
// line end inside a paragraph joined, paragraphs being separated by blank lines; `Auto` the
// same for a text found hard-wrapped, and a paragraph also ending at a line that ends short
// and before an indented line where the text's paragraphs start so.
enum class ParagraphRule { Auto, Keep, Lines };

const char* ParagraphRuleName(ParagraphRule rule);

// The UTF-8 text with its hard-wrapped lines joined into paragraphs by `rule`: Latin words
// with one blank (a hyphen between two letters kept, without the blank), two wide (East
// Asian) characters with nothing, a joined line's indent dropped. Lines that read as a list
// item, a table or drawing, a chapter heading or a rule of punctuation are never joined.
// A text not found hard-wrapped (`Auto`) comes back as it is.
std::string JoinParagraphs(std::string_view text, ParagraphRule rule);

} // namespace lb
