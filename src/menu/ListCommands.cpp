#include "menu/ListCommands.h"

#include "common/ProgramNames.h"
#include "items/MemberShelf.h"
#include "menu/AddFile.h"
#include "menu/Estimate.h"

#include <algorithm>

namespace lb {

namespace {

bool IsSelected(const Selection& selected, size_t i) {
    return i < selected.size() && selected[i];
}

void Fit(const ItemList& menu, Selection& selected) {
    selected.resize(menu.entries.size(), false);
}

} // namespace

void ClearSelected(ItemList& menu, Selection& selected) {
    Fit(menu, selected);
    std::vector<std::string> paths;
    for (size_t i = 0; i < menu.entries.size(); ++i)
        if (selected[i]) paths.push_back(menu.entries[i].path);
    MemberShelf shelf(paths);
    for (size_t i = menu.entries.size(); i-- > 0;) {
        if (!selected[i]) continue;
        const MenuEntry& entry = menu.entries[i];
        auto file = FileEstimate(entry.path, menu, nullptr, &shelf, entry.page);
        menu.TotalSize -= file ? *file + NameSlot(entry.name) : entry.estimate;
        menu.entries.erase(menu.entries.begin() + static_cast<std::ptrdiff_t>(i));
        selected.erase(selected.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void RenameSelected(ItemList& menu, const Selection& selected,
                    const std::function<std::optional<std::string>(const std::string&)>& ask) {
    for (size_t i = 0; i < menu.entries.size(); ++i) {
        if (!IsSelected(selected, i)) continue;
        auto answer = ask(menu.entries[i].name);
        if (answer && !answer->empty()) menu.entries[i].name = *answer;
    }
}

void MoveUp(ItemList& menu, Selection& selected) {
    Fit(menu, selected);
    for (size_t i = 1; i < menu.entries.size(); ++i) {
        if (selected[i] && !selected[i - 1]) {
            std::swap(menu.entries[i - 1], menu.entries[i]);
            selected[i - 1] = true;
            selected[i] = false;
        }
    }
}

void MoveDown(ItemList& menu, Selection& selected) {
    Fit(menu, selected);
    for (size_t i = menu.entries.size(); i-- > 1;) {
        if (selected[i - 1] && !selected[i]) {
            std::swap(menu.entries[i - 1], menu.entries[i]);
            selected[i - 1] = false;
            selected[i] = true;
        }
    }
}

namespace {

// The selected entries first (or last), each group in its old order; nothing selected after.
void Gather(ItemList& menu, Selection& selected, bool toTop) {
    Fit(menu, selected);
    std::vector<MenuEntry> chosen, rest;
    for (size_t i = 0; i < menu.entries.size(); ++i)
        (selected[i] ? chosen : rest).push_back(std::move(menu.entries[i]));
    std::vector<MenuEntry>& first = toTop ? chosen : rest;
    std::vector<MenuEntry>& second = toTop ? rest : chosen;
    menu.entries = std::move(first);
    for (auto& entry : second) menu.entries.push_back(std::move(entry));
    std::fill(selected.begin(), selected.end(), false);
}

} // namespace

void MoveToTop(ItemList& menu, Selection& selected) {
    Gather(menu, selected, true);
}

void MoveToBottom(ItemList& menu, Selection& selected) {
    Gather(menu, selected, false);
}

std::string CategoryPathFor(const std::string& chosen) {
    size_t slash = chosen.rfind('/');
    size_t at = slash == std::string::npos ? 0 : slash + 1;
    return chosen.substr(0, at) + "@" + chosen.substr(at);
}

std::string CategoryFileText() {
    return std::string(kProgramTitle) + "\r\n" + kFirstWebAddress + "\r\n" + kSecondWebAddress +
           "\r\n";
}

} // namespace lb
