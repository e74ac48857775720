// The viewer's own decoding, compiled for the host: the menu, name fields, the record walk,
// and text layout with double-byte codes or 16-bit units over whatever a record holds.
#include "FuzzCheck.h"
#include "SyntheticRom.h"

extern "C" {
#include "rom_view.h"
#include "text_layout.h"
}

namespace {

struct Row {
    unsigned columns, used = 0;
};

void Put(void* context, unsigned column, unsigned, unsigned cells) {
    auto row = static_cast<Row*>(context);
    FUZZ_CHECK(cells == 1 || cells == 2);
    FUZZ_CHECK(column >= row->used && column + cells <= row->columns);
    row->used = column + cells;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const unsigned font = data[0] % LB_FONT_COUNT, columns = 1 + data[1] % 64;
    auto image = SyntheticRom(font, data + 2, size - 2);
    lb_rom_view view;
    if (!lb_view_open(&view, image.data(), static_cast<uint32_t>(image.size()), lb_skin_region_offset(font)))
        return 0;
    view.units16 = lb_fonts[font].glyph_set == LB_GLYPHS_UNICODE;
    for (unsigned i = 0; i < view.entries && i < 64; ++i) {
        uint8_t name[LB_ENTRY_NAME_MAX_CODES], mark;
        FUZZ_CHECK(lb_entry_name(&view, i, name, &mark) <= LB_ENTRY_NAME_MAX_CODES);
        lb_record record;
        if (!lb_find_record(&view, i, &record)) break;
        FUZZ_CHECK(record.data <= image.size() && record.data_bytes <= image.size() - record.data);
        if (!lb_is_text_type(record.type)) continue;
        uint32_t length = record.size_field < record.data_bytes ? record.size_field : record.data_bytes;
        // Without a map the Unicode font's widths come from the code points alone.
        lb_text text = {image.data() + record.data, length, columns, lb_fonts[font].glyph_set, nullptr};
        for (uint32_t at = 0, lines = 0; at < length && lines < 4096; ++lines) {
            Row row{columns};
            uint32_t next = lb_layout_line(&text, at, Put, &row);
            FUZZ_CHECK(next > at && next <= length); // every line moves on, none passes the end
            at = next;
        }
    }
    // The chapter table after the last record: every heading's place within the image.
    const uint32_t table = lb_chapter_table(&view);
    FUZZ_CHECK(table == 0 || uint64_t(table) + 8 <= image.size());
    for (unsigned i = 0; i < view.entries && i < 64; ++i) {
        uint32_t at = 0;
        const unsigned count = lb_chapters(&view, table, i, &at);
        FUZZ_CHECK(count == 0 || uint64_t(at) + 4ull * count <= image.size());
    }
    return 0;
}
