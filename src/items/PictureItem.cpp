#include "items/PictureItem.h"

#include "common/Error.h"
#include "format/RomLayout.h"
#include "items/PhotoReader.h"
#include "items/PictureColours.h"
#include "rom/Bitmap.h"
#include "rom/Colour.h"
#include "rom/ColourTable.h"

#include <algorithm>
#include <cstring>

namespace lb {

namespace {

size_t RoundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }

// Refuses a picture too large to decode before anything is allocated for it.
void CheckShownSize(PictureSize shown) {
    if (uint64_t(shown.width) * uint64_t(shown.height) > (uint64_t{1} << 28))
        throw Error("the picture is " + std::to_string(shown.width) + " x " + std::to_string(shown.height) +
                    " pixels, more than " + std::to_string(uint64_t{1} << 28) + " in all");
}

ItemData Indexed(const Bitmap& picture, bool sixteen) {
    const size_t w = static_cast<size_t>(picture.width), h = static_cast<size_t>(picture.height);
    const size_t W = RoundUp(w, sixteen ? 8 : 4);
    const size_t storedRow = sixteen ? W / 2 : W;
    const int entries = sixteen ? 16 : 256;
    std::vector<uint8_t> rows = picture.PixelBytes();
    const size_t S = picture.RowBytes();

    ItemData item;
    item.type = sixteen ? LB_INDEXED16 : LB_INDEXED256;
    item.width = static_cast<uint16_t>(W);
    item.height = static_cast<uint16_t>(h);
    item.data.assign(storedRow * h + 2 * entries, 0);
    if (S == storedRow) {
        std::memcpy(item.data.data(), rows.data(), rows.size());
    } else {
        // The bytes of each stored row past the source row stay zero.
        for (size_t r = 0; r < h; ++r)
            std::memcpy(item.data.data() + r * storedRow, rows.data() + r * S, S);
    }
    AppendPalette(picture.palette, entries, item.data.data() + storedRow * h);
    return item;
}

ItemData Direct(const Bitmap& picture) {
    const size_t w = static_cast<size_t>(picture.width), h = static_cast<size_t>(picture.height);
    const size_t W = RoundUp(w, 2);
    ItemData item;
    item.type = LB_DIRECT_COLOUR;
    item.width = static_cast<uint16_t>(W);
    item.height = static_cast<uint16_t>(h);
    // The column added to an odd width stays black.
    item.data.assign(W * h * 2, 0);
    // Each colour of an indexed picture converted once, not once a pixel.
    std::vector<uint16_t> table(picture.palette.size());
    for (size_t k = 0; k < table.size(); ++k)
        table[k] = Colour15FromValue(static_cast<int32_t>(picture.palette[k]));
    uint8_t* out = item.data.data();
    for (size_t y = 0; y < h; ++y) {
        uint8_t* row = out + y * W * 2;
        const size_t at = y * w;
        for (size_t x = 0; x < w; ++x) {
            const uint16_t c =
                picture.Indexed()
                    ? table[picture.indices[at + x]]
                    : Colour15FromValue(static_cast<int32_t>(picture.colours[at + x]));
            row[2 * x] = static_cast<uint8_t>(c & 255);
            row[2 * x + 1] = static_cast<uint8_t>(c / 256);
        }
    }
    return item;
}

} // namespace

ItemData EncodeBitmap(const Bitmap& picture) {
    if (picture.bitCount == 4 || picture.bitCount == 8) return Indexed(picture, picture.bitCount == 4);
    return Direct(picture);
}

ItemData EncodePicture(std::span<const uint8_t> file) { return EncodeBitmap(DecodeBitmap(file)); }

FitRule RuleFor(const PictureOptions& options, bool photo) {
    if (options.fit != FitRule::Auto) return options.fit;
    return photo ? FitRule::Screen : FitRule::Keep;
}

bool TrimsMargins(const PictureOptions& options, bool page) {
    return options.trim == TrimRule::All || (options.trim == TrimRule::Pages && page);
}

namespace {

RgbPicture RgbOf(const Bitmap& bitmap) {
    RgbPicture rgb{bitmap.width, bitmap.height, {}};
    rgb.rgb.resize(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height) * 3);
    for (int32_t y = 0, i = 0; y < bitmap.height; ++y)
        for (int32_t x = 0; x < bitmap.width; ++x, i += 3) {
            const uint32_t c = bitmap.ColourAt(x, y);
            rgb.rgb[i] = static_cast<uint8_t>(c);
            rgb.rgb[i + 1] = static_cast<uint8_t>(c >> 8);
            rgb.rgb[i + 2] = static_cast<uint8_t>(c >> 16);
        }
    return rgb;
}

// Margins are looked for in a photo decoded at most this many pixels on its longer side.
constexpr int32_t kTrimLookSide = 640;

PictureSize TrimLookSize(PictureSize shown) {
    const int32_t longer = std::max(shown.width, shown.height);
    if (longer <= kTrimLookSide) return shown;
    const double s = double(kTrimLookSide) / longer;
    return {std::max(1, int32_t(shown.width * s + 0.5)), std::max(1, int32_t(shown.height * s + 0.5))};
}

// Where a photo's pixels come from: a picture file's bytes, or a page of a PDF.
struct PhotoSource {
    std::span<const uint8_t> file;
    const PdfPage* pdfPage = nullptr;

    PictureSize ShownSize() const {
        return pdfPage ? PdfPageShownSize(pdfPage->pdf, pdfPage->index) : PhotoShownSize(file);
    }
    RgbPicture Decode(PictureSize size) const {
        return pdfPage ? DecodePdfPage(pdfPage->pdf, pdfPage->index, size) : DecodePhoto(file, size);
    }
};

// What a picture becomes: the part of it shown and the size stored. `decoded` holds the
// picture a bitmap is, or the photo decoded small to find its margins.
struct PicturePlan {
    PictureSize shown;
    PageView view;
    PictureSize stored;
    RgbPicture decoded;
};

PicturePlan PlanPicture(const PhotoSource& source, bool photo, const PictureOptions& options,
                        const PageCut& cut, Bitmap* bitmap) {
    PicturePlan plan;
    if (photo) {
        plan.shown = source.ShownSize();
        CheckShownSize(plan.shown);
    } else {
        *bitmap = DecodeBitmap(source.file);
        plan.shown = {bitmap->width, bitmap->height};
    }
    PictureBox box{0, 0, plan.shown.width, plan.shown.height};
    if (cut.trim) {
        plan.decoded = photo ? source.Decode(TrimLookSize(plan.shown)) : RgbOf(*bitmap);
        box = ScaledBox(TrimmedBox(plan.decoded), {plan.decoded.width, plan.decoded.height}, plan.shown);
    }
    plan.view = ViewOf(box, cut.part, cut.rightToLeft);
    plan.stored = FittedSize(ViewedSize(plan.view), RuleFor(options, photo));
    return plan;
}

// The part a photo's plan shows, at the stored size. The photo is decoded whole at twice the
// size the part needs (or its own size, when smaller), so that the last resampling is gentle;
// the picture its margins were looked for in serves when it is as large.
RgbPicture PhotoPart(const PhotoSource& source, PicturePlan& plan) {
    const PictureSize viewed = ViewedSize(plan.view);
    const double need = std::max(double(plan.stored.width) / viewed.width,
                                 double(plan.stored.height) / viewed.height);
    const double s = std::min(1.0, 2 * need);
    const PictureSize work{std::max(1, int32_t(plan.shown.width * s + 0.5)),
                           std::max(1, int32_t(plan.shown.height * s + 0.5))};
    const bool decoded = plan.decoded.width >= work.width && plan.decoded.height >= work.height;
    RgbPicture whole = decoded ? std::move(plan.decoded) : source.Decode(work);
    const PageView view{ScaledBox(plan.view.box, plan.shown, {whole.width, whole.height}),
                        plan.view.quarterTurns};
    RgbPicture part = CutView(whole, view);
    return part.width == plan.stored.width && part.height == plan.stored.height ? part
                                                                                : ResizeRgb(part, plan.stored);
}

ItemData EncodeSource(const PhotoSource& source, bool photo, const PictureOptions& options,
                      const PageCut& cut, PictureNote* note) {
    Bitmap bitmap;
    PicturePlan plan = PlanPicture(source, photo, options, cut, &bitmap);
    PictureNote done{plan.shown, plan.stored, true};
    const bool whole = IsWholeView(plan.view, plan.shown);
    ItemData item;
    if (photo) {
        const RgbPicture rgb = whole ? source.Decode(plan.stored) : PhotoPart(source, plan);
        item = EncodeBitmap(PictureWithColours(rgb, options.colours));
    } else if (whole && plan.stored == plan.shown) {
        done.fitted = false;
        item = EncodeBitmap(bitmap); // kept as it is: its own depth and colour table
    } else {
        RgbPicture part = CutView(plan.decoded.rgb.empty() ? RgbOf(bitmap) : plan.decoded, plan.view);
        if (!(PictureSize{part.width, part.height} == plan.stored)) part = ResizeRgb(part, plan.stored);
        item = EncodeBitmap(PictureWithColours(part, options.colours));
    }
    if (note) *note = done;
    return item;
}

std::optional<int64_t> SourceRecordBytes(const PhotoSource& source, bool photo,
                                         const PictureOptions& options, const PageCut& cut) {
    Bitmap bitmap;
    const PicturePlan plan = PlanPicture(source, photo, options, cut, &bitmap);
    if (!photo && IsWholeView(plan.view, plan.shown) && plan.stored == plan.shown) return std::nullopt;
    return FittedRecordBytes(plan.stored, options.colours);
}

} // namespace

ItemData EncodePictureFile(std::span<const uint8_t> file, bool photo, const PictureOptions& options,
                           const PageCut& cut, PictureNote* note) {
    return EncodeSource({file}, photo, options, cut, note);
}

std::optional<int64_t> PictureFileRecordBytes(std::span<const uint8_t> file, bool photo,
                                              const PictureOptions& options, const PageCut& cut) {
    return SourceRecordBytes({file}, photo, options, cut);
}

ItemData EncodePdfPage(const PdfPage& page, const PictureOptions& options, const PageCut& cut,
                       PictureNote* note) {
    return EncodeSource({{}, &page}, true, options, cut, note);
}

int64_t PdfPageRecordBytes(const PdfPage& page, const PictureOptions& options, const PageCut& cut) {
    return *SourceRecordBytes({{}, &page}, true, options, cut);
}

int64_t FittedRecordBytes(PictureSize size, int colours) {
    const int64_t h = size.height;
    if (colours == 16) return LB_RECORD_HEADER_BYTES + RoundUp(size_t(size.width), 8) * h / 2 + 32;
    if (colours == 256) return LB_RECORD_HEADER_BYTES + RoundUp(size_t(size.width), 4) * h + 512;
    return LB_RECORD_HEADER_BYTES + RoundUp(size_t(size.width), 2) * h * 2;
}

} // namespace lb
