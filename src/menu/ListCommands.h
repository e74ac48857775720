#pragma once

#include "menu/ItemList.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lb {

// Which entries are selected: one mark per entry, in menu order.
using Selection = std::vector<bool>;

// Removes the selected entries. Each takes off TotalSize its estimate from its file as the
// file is now (with the name slot of its current name); an entry whose file can no longer
// be read takes off what it added when it came in. The selection shrinks with the menu.
void ClearSelected(ItemList& menu, Selection& selected);

// Asks for each selected entry's new name, top to bottom; `ask` gets the current name and
// gives the answer, or nothing for Cancel. An empty answer keeps the name.
void RenameSelected(ItemList& menu, const Selection& selected,
                    const std::function<std::optional<std::string>(const std::string&)>& ask);

// Selected entries move one place, as blocks; a block at the end stays. They stay selected.
void MoveUp(ItemList& menu, Selection& selected);
void MoveDown(ItemList& menu, Selection& selected);
// Selected entries go to the top or the bottom in their order; nothing stays selected.
void MoveToTop(ItemList& menu, Selection& selected);
void MoveToBottom(ItemList& menu, Selection& selected);

// The category file for a chosen name: "@" put before the name's last part, so
// "/m/Animals.txt" gives "/m/@Animals.txt".
std::string CategoryPathFor(const std::string& chosen);
// Its three lines: the program's name and version and the two web addresses, each CR LF.
std::string CategoryFileText();

} // namespace lb
