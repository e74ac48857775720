#include "menu/ItemList.h"

#include "common/NumberText.h"
#include "rom/Fonts.h"

namespace lb {

int64_t EmptyMenuSize(int font) { return 119392 + static_cast<int64_t>(Font(font).skin_offset); }

std::string SizeLabelText(int64_t totalSize) {
    int64_t kb = totalSize >= 0 ? totalSize / 1024 : -((-totalSize + 1023) / 1024);
    return NumberText(kb + 1) + "KB";
}

void ItemList::Reset(int font) {
    this->font = font;
    entries.clear();
    TotalSize = EmptyMenuSize(font);
}

std::string ItemList::SizeLabel() const { return SizeLabelText(TotalSize); }

std::vector<BuildEntry> ItemList::ForBuild() const {
    std::vector<BuildEntry> out;
    out.reserve(entries.size());
    for (auto& e : entries) out.push_back({e.path, e.name, e.page});
    return out;
}

} // namespace lb
