#include "items/PageShape.h"

#include "common/Error.h"
#include "items/EntrySource.h"
#include "items/FileEndings.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace lb {

namespace {

struct PartWord {
    PagePart part;
    const char* element; // the last path element
    const char* suffix;  // added to the page's name
};
constexpr PartWord kParts[] = {{PagePart::FirstHalf, "(1)", " (1)"},
                               {PagePart::SecondHalf, "(2)", " (2)"},
                               {PagePart::Turned, "(turned)", ""}};

using Colour = std::array<uint8_t, 3>;

const uint8_t* PixelAt(const RgbPicture& p, int32_t x, int32_t y) {
    return p.rgb.data() + (size_t(y) * size_t(p.width) + size_t(x)) * 3;
}

bool Near(const uint8_t* pixel, const Colour& c) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(int(pixel[k]) - int(c[k])) > kTrimTolerance) return false;
    return true;
}

// The median of each channel along a line, so that specks and noise do not decide it.
Colour LineColour(const RgbPicture& p, int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t n) {
    Colour out{};
    std::vector<uint8_t> values(size_t(n), 0);
    for (int k = 0; k < 3; ++k) {
        for (int32_t i = 0; i < n; ++i) values[size_t(i)] = PixelAt(p, x + i * dx, y + i * dy)[k];
        std::nth_element(values.begin(), values.begin() + n / 2, values.end());
        out[size_t(k)] = values[size_t(n / 2)];
    }
    return out;
}

bool RowNear(const RgbPicture& p, int32_t y, int32_t x0, int32_t x1, const Colour& c) {
    for (int32_t x = x0; x < x1; ++x)
        if (!Near(PixelAt(p, x, y), c)) return false;
    return true;
}

bool ColumnNear(const RgbPicture& p, int32_t x, int32_t y0, int32_t y1, const Colour& c) {
    for (int32_t y = y0; y < y1; ++y)
        if (!Near(PixelAt(p, x, y), c)) return false;
    return true;
}

} // namespace

PageAddress PageAddressOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return {path, PagePart::Whole};
    const std::string last = path.substr(slash + 1);
    const std::string page = path.substr(0, slash);
    if (!EndsAs(page, FileKind::Photo) && !EndsAs(page, FileKind::Bitmap) && !PdfPageOf(page))
        return {path, PagePart::Whole};
    for (const PartWord& w : kParts)
        if (last == w.element) return {page, w.part};
    return {path, PagePart::Whole};
}

std::string PartPath(const std::string& page, PagePart part) {
    for (const PartWord& w : kParts)
        if (w.part == part) return page + "/" + w.element;
    return page;
}

std::string PartNameSuffix(PagePart part) {
    for (const PartWord& w : kParts)
        if (w.part == part) return w.suffix;
    return {};
}

PictureBox TrimmedBox(const RgbPicture& page) {
    const int32_t w = page.width, h = page.height;
    const PictureBox whole{0, 0, w, h};
    if (w < 3 || h < 3) return whole;
    const int32_t maxX = w * kMaxTrimPercent / 100, maxY = h * kMaxTrimPercent / 100;
    const Colour top = LineColour(page, 0, 0, 1, 0, w),
                 bottom = LineColour(page, 0, h - 1, 1, 0, w);
    const Colour left = LineColour(page, 0, 0, 0, 1, h),
                 right = LineColour(page, w - 1, 0, 0, 1, h);
    // Only a side whose whole outermost line is one colour has a margin: where ink reaches
    // the edge anywhere, the picture runs off the page there (a panel bled to the edge).
    const bool trimTop = RowNear(page, 0, 0, w, top),
               trimBottom = RowNear(page, h - 1, 0, w, bottom);
    const bool trimLeft = ColumnNear(page, 0, 0, h, left),
               trimRight = ColumnNear(page, w - 1, 0, h, right);
    int32_t x0 = 0, x1 = w, y0 = 0, y1 = h;
    // Rows are tried across the columns still kept and columns down the rows still kept, until
    // neither moves.
    for (bool moved = true; moved;) {
        moved = false;
        while (trimTop && y0 < maxY && RowNear(page, y0, x0, x1, top)) ++y0, moved = true;
        while (trimBottom && h - y1 < maxY && RowNear(page, y1 - 1, x0, x1, bottom))
            --y1, moved = true;
        while (trimLeft && x0 < maxX && ColumnNear(page, x0, y0, y1, left)) ++x0, moved = true;
        while (trimRight && w - x1 < maxX && ColumnNear(page, x1 - 1, y0, y1, right))
            --x1, moved = true;
    }
    // Every side at its bound may mean a page of one colour, which has no margin to speak of.
    if (y0 == maxY && h - y1 == maxY && x0 == maxX && w - x1 == maxX) {
        bool blank = true;
        for (int32_t y = 0; y < h && blank; ++y) blank = RowNear(page, y, 0, w, top);
        if (blank) return whole;
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

PictureBox ScaledBox(PictureBox box, PictureSize from, PictureSize to) {
    if (from == to || from.width < 1 || from.height < 1) return box;
    auto down = [](int64_t v, int64_t num, int64_t den) { return int32_t(v * num / den); };
    auto up = [](int64_t v, int64_t num, int64_t den) {
        return int32_t((v * num + den - 1) / den);
    };
    const int32_t x0 = down(box.x, to.width, from.width), y0 = down(box.y, to.height, from.height);
    const int32_t x1 = std::min(to.width, up(box.x + box.width, to.width, from.width));
    const int32_t y1 = std::min(to.height, up(box.y + box.height, to.height, from.height));
    return {x0, y0, std::max(1, x1 - x0), std::max(1, y1 - y0)};
}

PageView ViewOf(PictureBox trimmed, PagePart part, bool rightToLeft) {
    PageView view{trimmed, 0};
    const int32_t half = trimmed.width / 2;
    if ((part == PagePart::FirstHalf || part == PagePart::SecondHalf) && half > 0) {
        // Halves of equal width, so that either reading order gives the same sizes; the middle
        // column of an odd width belongs to neither.
        const bool leftHalf = (part == PagePart::FirstHalf) != rightToLeft;
        view.box.width = half;
        if (!leftHalf) view.box.x = trimmed.x + trimmed.width - half;
    } else if (part == PagePart::Turned) {
        // The edge reading starts from goes to the top.
        view.quarterTurns = rightToLeft ? 3 : 1;
    }
    return view;
}

PictureSize ViewedSize(const PageView& view) {
    if (view.quarterTurns % 2) return {view.box.height, view.box.width};
    return {view.box.width, view.box.height};
}

bool IsWholeView(const PageView& view, PictureSize shown) {
    return view.quarterTurns == 0 && view.box == PictureBox{0, 0, shown.width, shown.height};
}

RgbPicture CutView(const RgbPicture& picture, const PageView& view) {
    const PictureBox& b = view.box;
    if (b.x < 0 || b.y < 0 || b.width < 1 || b.height < 1 || b.x + b.width > picture.width ||
        b.y + b.height > picture.height)
        throw Error("the part of the page to show lies outside it");
    const PictureSize size = ViewedSize(view);
    RgbPicture out{size.width, size.height,
                   std::vector<uint8_t>(size_t(size.width) * size_t(size.height) * 3)};
    for (int32_t y = 0; y < size.height; ++y)
        for (int32_t x = 0; x < size.width; ++x) {
            // The source pixel each shown pixel comes from.
            int32_t sx = x, sy = y;
            if (view.quarterTurns == 1) sx = y, sy = b.height - 1 - x;
            if (view.quarterTurns == 3) sx = b.width - 1 - y, sy = x;
            const uint8_t* from = PixelAt(picture, b.x + sx, b.y + sy);
            std::copy(from, from + 3,
                      out.rgb.data() + (size_t(y) * size_t(size.width) + size_t(x)) * 3);
        }
    return out;
}

} // namespace lb
