#pragma once

#include "items/PhotoReader.h"

#include <optional>
#include <string>

namespace lb {

// A rectangle of a picture, in the pixels it is shown at.
struct PictureBox {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PictureBox&) const = default;
};

// What part of a page an entry shows. A spread split in two is two entries, the half read
// first and the one read second: which half each is follows the reading order at the build,
// so the menu stays right when the order changes. A turned spread fills the screen's height.
enum class PagePart { Whole, FirstHalf, SecondHalf, Turned };

// An entry's path names a part by a last path element, "(1)", "(2)" or "(turned)", after the
// path of a picture (a regular file, or an archive member, is never a folder, so the two
// cannot be confused).
struct PageAddress {
    std::string page;
    PagePart part = PagePart::Whole;
};
PageAddress PageAddressOf(const std::string& path);
std::string PartPath(const std::string& page, PagePart part);
// " (1)" or " (2)" for the halves, nothing for the others.
std::string PartNameSuffix(PagePart part);

// A margin is trimmed from a side while its outermost row or column stays within this much,
// in each 8-bit channel, of the colour of that side's outermost line, and never past this
// share of the width or height.
inline constexpr int kTrimTolerance = 24;
inline constexpr int kMaxTrimPercent = 15;

// What is left of `page` without its margins; the whole page when it is one colour.
PictureBox TrimmedBox(const RgbPicture& page);

// `box` of a picture `from` pixels large, taken to one `to` pixels large, rounded outward.
PictureBox ScaledBox(PictureBox box, PictureSize from, PictureSize to);

// How an entry's picture is cut from its page: a box, then quarter turns clockwise (1) or
// counter-clockwise (3).
struct PageView {
    PictureBox box;
    int quarterTurns = 0;
    bool operator==(const PageView&) const = default;
};
PageView ViewOf(PictureBox trimmed, PagePart part, bool rightToLeft);
PictureSize ViewedSize(const PageView& view);
bool IsWholeView(const PageView& view, PictureSize shown);

// The view cut from a decoded picture.
RgbPicture CutView(const RgbPicture& picture, const PageView& view);

} // namespace lb
