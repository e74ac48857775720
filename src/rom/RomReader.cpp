#include "rom/RomReader.h"

#include "common/CodePage.h"
#include "rom/NameField.h"
#include "rom/RomLayout.h"

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

RomInfo ReadRom(std::span<const uint8_t> image, int font) {
    RomInfo info;
    info.font = font;
    info.fileSize = image.size();
    info.skinOffset = lb_skin_region_offset(static_cast<unsigned>(font));
    if (image.size() >= LB_TITLE_OFFSET + LB_TITLE_LENGTH)
        info.title.assign(reinterpret_cast<const char*>(image.data()) + LB_TITLE_OFFSET,
                          LB_TITLE_LENGTH);
    CodePageConverter codes(CodePageForFont(font));

    uint64_t at = info.skinOffset + uint64_t{LB_SKIN_BLOCK_COUNT} * LB_SKIN_BLOCK_BYTES;
    auto has = [&](uint64_t from, uint64_t n) { return from <= image.size() && n <= image.size() - from; };
    if (!has(at, LB_MENU_HEADER_BYTES)) {
        info.problems.push_back("the file ends before the menu header at offset " + std::to_string(at));
        return info;
    }
    const uint8_t* header = image.data() + at;
    info.categoryCount = header[LB_MENU_CATEGORY_COUNT];
    info.entryCount = U16(header + LB_MENU_ENTRY_COUNT);
    info.layoutX = header[LB_MENU_LAYOUT_X];
    info.layoutY = header[LB_MENU_LAYOUT_Y];
    info.layoutCount = header[LB_MENU_LAYOUT_COUNT];
    info.corner = header[LB_MENU_CORNER];
    at += LB_MENU_HEADER_BYTES;

    for (unsigned c = 0; c < info.categoryCount; ++c, at += LB_CATEGORY_RECORD_BYTES) {
        if (!has(at, LB_CATEGORY_RECORD_BYTES)) {
            info.problems.push_back("the file ends inside category record " + std::to_string(c + 1));
            return info;
        }
        const uint8_t* r = image.data() + at;
        auto name = ReadNameField(r + LB_CATEGORY_NAME, LB_CATEGORY_NAME_BYTES, codes);
        info.categories.push_back({U16(r + LB_CATEGORY_FIRST), U16(r + LB_CATEGORY_SPAN), name.mark, name.name});
    }
    for (unsigned e = 0; e < info.entryCount; ++e, at += LB_ENTRY_NAME_BYTES) {
        if (!has(at, LB_ENTRY_NAME_BYTES)) {
            info.problems.push_back("the file ends inside entry name " + std::to_string(e + 1));
            return info;
        }
        auto name = ReadNameField(image.data() + at, LB_ENTRY_NAME_BYTES, codes);
        info.names.push_back({name.mark, name.name});
    }
    for (unsigned e = 0; e < info.entryCount; ++e) {
        if (!has(at, LB_RECORD_HEADER_BYTES)) {
            info.problems.push_back("the file ends before record " + std::to_string(e + 1));
            break;
        }
        const uint8_t* r = image.data() + at;
        RecordInfo rec;
        rec.offset = at;
        rec.type = r[LB_RECORD_TYPE];
        rec.previousType = r[LB_RECORD_PREVIOUS_TYPE];
        rec.sizeField = U32(r + LB_RECORD_SIZE);
        rec.previousSize = U32(r + LB_RECORD_PREVIOUS_SIZE);
        if (!lb_record_data_size(rec.type, rec.sizeField, &rec.dataSize)) {
            info.problems.push_back("record " + std::to_string(e + 1) + " has the unknown type " +
                                    std::to_string(rec.type));
            break;
        }
        if (!has(at + LB_RECORD_HEADER_BYTES, rec.dataSize)) {
            info.problems.push_back("record " + std::to_string(e + 1) + " (" + ItemTypeName(rec.type) +
                                    ") runs past the end of the file");
            info.records.push_back(rec);
            break;
        }
        // previousType and previousSize repeat the header of the record just before.
        const RecordInfo* before = info.records.empty() ? nullptr : &info.records.back();
        uint8_t expectType = before ? before->type : 0;
        uint32_t expectSize = before ? before->sizeField : 0;
        if (rec.previousType != expectType || rec.previousSize != expectSize)
            info.problems.push_back("record " + std::to_string(e + 1) +
                                    " does not repeat the kind and size of the record before it");
        info.records.push_back(rec);
        at += LB_RECORD_HEADER_BYTES + uint64_t{rec.dataSize};
    }
    info.recordsEnd = at;
    info.endsAfterLastRecord = info.problems.empty() && at == image.size();
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
