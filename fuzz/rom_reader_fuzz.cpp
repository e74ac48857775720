// The reader behind `inspect`, on images whose menu tables and records are fuzzed. The first
// byte picks the font.
#include "FuzzCheck.h"
#include "SyntheticRom.h"
#include "format/FontTable.h"
#include "rom/RomReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int font = data[0] % int(LB_FONT_COUNT);
    auto image = SyntheticRom(static_cast<unsigned>(font), data + 1, size - 1);
    lb::RomInfo info = lb::ReadRom(image, font);
    FUZZ_CHECK(info.fileSize == image.size());
    FUZZ_CHECK(info.recordsEnd <= info.fileSize);
    FUZZ_CHECK(info.names.size() <= info.entryCount && info.categories.size() <= info.categoryCount);
    // Every record read lies inside the file but a last one said to run past its end.
    for (size_t i = 0; i < info.records.size(); ++i) {
        const auto& r = info.records[i];
        bool inside = r.offset + 12 + r.dataSize <= info.fileSize;
        FUZZ_CHECK(inside || (i + 1 == info.records.size() && !info.problems.empty()));
    }
    return 0;
}
