#include "rom/RomReader.h"

#include "common/CodePage.h"
#include "format/RomLayout.h"
#include "rom/NameField.h"

#include <algorithm>

namespace lb {

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

} // namespace

const char* ItemTypeName(unsigned t) {
    switch (t) {
    case LB_INDEXED16: return "Indexed16";
    case LB_INDEXED256: return "Indexed256";
    case LB_DIRECT_COLOUR: return "DirectColour";
    case LB_PLAIN_TEXT: return "PlainText";
    case LB_LKB_TEXT: return "LkbText";
    default: return "unknown";
    }
}

namespace {

// Walks the image from the menu header on; each step adds what it read to `info` and returns
// false when the image ends before what the layout promises.
class RomWalk {
  public:
    RomWalk(std::span<const uint8_t> image, RomInfo& info, const CodePageConverter& codes)
        : image_(image), info_(info), codes_(codes),
          at_(info.skinOffset + uint64_t{LB_SKIN_BLOCK_COUNT} * LB_SKIN_BLOCK_BYTES) {}

    bool MenuHeader() {
        if (!Has(at_, LB_MENU_HEADER_BYTES))
            return Problem("the file ends before the menu header at offset " + std::to_string(at_));
        const uint8_t* header = image_.data() + at_;
        info_.categoryCount = header[LB_MENU_CATEGORY_COUNT];
        info_.entryCount = U16(header + LB_MENU_ENTRY_COUNT);
        info_.layoutX = header[LB_MENU_LAYOUT_X];
        info_.layoutY = header[LB_MENU_LAYOUT_Y];
        info_.layoutCount = header[LB_MENU_LAYOUT_COUNT];
        info_.corner = header[LB_MENU_CORNER];
        at_ += LB_MENU_HEADER_BYTES;
        return true;
    }

    bool Categories() {
        for (unsigned c = 0; c < info_.categoryCount; ++c, at_ += LB_CATEGORY_RECORD_BYTES) {
            if (!Has(at_, LB_CATEGORY_RECORD_BYTES))
                return Problem("the file ends inside category record " + std::to_string(c + 1));
            const uint8_t* r = image_.data() + at_;
            auto name = ReadNameField(r + LB_CATEGORY_NAME, LB_CATEGORY_NAME_BYTES, codes_);
            info_.categories.push_back(
                {U16(r + LB_CATEGORY_FIRST), U16(r + LB_CATEGORY_SPAN), name.mark, name.name});
        }
        return true;
    }

    bool EntryNames() {
        for (unsigned e = 0; e < info_.entryCount; ++e, at_ += LB_ENTRY_NAME_BYTES) {
            if (!Has(at_, LB_ENTRY_NAME_BYTES))
                return Problem("the file ends inside entry name " + std::to_string(e + 1));
            auto name = ReadNameField(image_.data() + at_, LB_ENTRY_NAME_BYTES, codes_);
            info_.names.push_back({name.mark, name.name});
        }
        return true;
    }

    void Records() {
        for (unsigned e = 0; e < info_.entryCount && Record(e); ++e) {}
    }

    uint64_t At() const { return at_; }

  private:
    bool Record(unsigned e) {
        const std::string which = "record " + std::to_string(e + 1);
        if (!Has(at_, LB_RECORD_HEADER_BYTES))
            return Problem("the file ends before " + which);
        const uint8_t* r = image_.data() + at_;
        RecordInfo rec;
        rec.offset = at_;
        rec.type = r[LB_RECORD_TYPE];
        rec.previousType = r[LB_RECORD_PREVIOUS_TYPE];
        rec.sizeField = U32(r + LB_RECORD_SIZE);
        rec.previousSize = U32(r + LB_RECORD_PREVIOUS_SIZE);
        if (!lb_record_data_size(rec.type, rec.sizeField, &rec.dataSize))
            return Problem(which + " has the unknown type " + std::to_string(rec.type));
        if (!Has(at_ + LB_RECORD_HEADER_BYTES, rec.dataSize)) {
            info_.records.push_back(rec);
            return Problem(which + " (" + ItemTypeName(rec.type) + ") runs past the end of the file");
        }
        // previousType and previousSize repeat the header of the record just before.
        const RecordInfo* before = info_.records.empty() ? nullptr : &info_.records.back();
        if (rec.previousType != (before ? before->type : 0) ||
            rec.previousSize != (before ? before->sizeField : 0))
            info_.problems.push_back(which + " does not repeat the kind and size of the record before it");
        info_.records.push_back(rec);
        at_ += LB_RECORD_HEADER_BYTES + uint64_t{rec.dataSize};
        return true;
    }

    bool Has(uint64_t from, uint64_t n) const {
        return from <= image_.size() && n <= image_.size() - from;
    }
    bool Problem(std::string text) {
        info_.problems.push_back(std::move(text));
        return false;
    }

    std::span<const uint8_t> image_;
    RomInfo& info_;
    const CodePageConverter& codes_;
    uint64_t at_;
};

} // namespace

RomInfo ReadRom(std::span<const uint8_t> image, int font) {
    RomInfo info;
    info.font = font;
    info.fileSize = image.size();
    info.skinOffset = lb_skin_region_offset(static_cast<unsigned>(font));
    if (image.size() >= LB_TITLE_OFFSET + LB_TITLE_LENGTH)
        info.title.assign(reinterpret_cast<const char*>(image.data()) + LB_TITLE_OFFSET,
                          LB_TITLE_LENGTH);
    CodePageConverter codes(CodePageForFont(font));
    RomWalk walk(image, info, codes);
    if (!walk.MenuHeader() || !walk.Categories() || !walk.EntryNames()) return info;
    walk.Records();
    info.recordsEnd = walk.At();
    info.endsAfterLastRecord = info.problems.empty() && walk.At() == image.size();
    return info;
}

int DetectFont(std::span<const uint8_t> image, const std::vector<std::vector<uint8_t>>& baseImages) {
    for (size_t k = 0; k < baseImages.size(); ++k) {
        const auto& base = baseImages[k];
        uint32_t skin = lb_skin_region_offset(static_cast<unsigned>(k));
        size_t n = std::min<size_t>(base.size(), skin);
        if (base.empty() || image.size() < n) continue;
        bool same = true;
        for (size_t i = 0; i < n && same; ++i) {
            bool title = i >= LB_TITLE_OFFSET && i < LB_TITLE_OFFSET + LB_TITLE_LENGTH;
            same = title || image[i] == base[i];
        }
        if (same) return static_cast<int>(k);
    }
    return -1;
}

} // namespace lb
