#include "items/Spreads.h"

#include "common/Error.h"
#include "items/EntrySource.h"
#include "items/ItemKind.h"
#include "items/MemberShelf.h"
#include "items/PageShape.h"
#include "items/PhotoReader.h"
#include "rom/Bitmap.h"

#include <optional>

namespace lb {

namespace {

// The size a page is shown at, read from its header; nothing when it cannot be read (adding
// it then says why).
std::optional<PictureSize> PageShownSize(const std::string& path, MemberShelf& shelf) {
    try {
        if (const auto pdfPage = PdfPageOf(path))
            return PdfPageShownSize(pdfPage->pdf, pdfPage->index);
        const ItemKind kind = KindForMenu(path);
        if (kind == ItemKind::Photo)
            return SplitArchivePath(path) ? PhotoShownSize(shelf.Read(path)) : PhotoShownSize(path);
        if (kind != ItemKind::Picture) return std::nullopt;
        const std::vector<uint8_t> file = shelf.Read(path);
        const BitmapHeader h = ReadBitmapHeader(file, file.size());
        return PictureSize{h.width, h.height < 0 ? -h.height : h.height};
    } catch (const Error&) {
        return std::nullopt;
    }
}

} // namespace

std::vector<std::string> WithSpreads(const std::vector<std::string>& paths, SpreadRule rule) {
    if (rule == SpreadRule::Keep) return paths;
    MemberShelf shelf(paths);
    std::vector<std::optional<PictureSize>> sizes;
    size_t pictures = 0, tall = 0;
    for (const std::string& path : paths) {
        sizes.push_back(PageShownSize(path, shelf));
        if (!sizes.back()) continue;
        ++pictures;
        tall += sizes.back()->height > sizes.back()->width;
    }
    if (tall * 2 <= pictures) return paths;
    std::vector<std::string> out;
    for (size_t k = 0; k < paths.size(); ++k) {
        if (!sizes[k] || sizes[k]->width <= sizes[k]->height) {
            out.push_back(paths[k]);
        } else if (rule == SpreadRule::Rotate) {
            out.push_back(PartPath(paths[k], PagePart::Turned));
        } else {
            out.push_back(PartPath(paths[k], PagePart::FirstHalf));
            out.push_back(PartPath(paths[k], PagePart::SecondHalf));
        }
    }
    return out;
}

} // namespace lb
