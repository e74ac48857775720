#include "cli/RomReport.h"

#include "format/RomLayout.h"
#include "rom/Fonts.h"

#include <sstream>

namespace lb {

namespace {

std::string Size(const RecordInfo& r) {
    if (lb_is_text_type(r.type)) return std::to_string(r.sizeField) + " bytes";
    return std::to_string(r.sizeField >> 16) + "x" + std::to_string(r.sizeField & 0xFFFF);
}

} // namespace

std::string RomReportText(const RomInfo& info) {
    std::ostringstream o;
    o << "title: " << info.title << "\n";
    o << "font: " << info.font << " (" << Font(info.font).list_text << "), skin region at 0x"
      << std::hex << info.skinOffset << std::dec << "\n";
    o << "menu: " << unsigned(info.categoryCount) << " categories, " << info.entryCount
      << " entries, layout X " << unsigned(info.layoutX) << " Y " << unsigned(info.layoutY)
      << " Count " << unsigned(info.layoutCount) << ", corner " << unsigned(info.corner) << "\n";
    for (auto& c : info.categories)
        o << "category " << c.first << " span " << c.span << ": " << char(c.mark) << c.name << "\n";
    for (size_t i = 0; i < info.names.size(); ++i)
        o << "entry " << i + 1 << ": " << char(info.names[i].mark) << info.names[i].name << "\n";
    for (size_t i = 0; i < info.records.size(); ++i) {
        auto& r = info.records[i];
        o << "record " << i + 1 << " at 0x" << std::hex << r.offset << std::dec << ": "
          << ItemTypeName(r.type) << " " << Size(r) << ", data " << r.dataSize << " bytes\n";
    }
    for (auto& p : info.problems) o << "problem: " << p << "\n";
    o << "file: " << info.fileSize << " bytes, "
      << (info.endsAfterLastRecord ? "ends exactly after the last record"
                                   : "does not end exactly after the last record (records end at " +
                                         std::to_string(info.recordsEnd) + ")")
      << "\n";
    return o.str();
}

nlohmann::json RomReportJson(const RomInfo& info) {
    using nlohmann::json;
    json j;
    j["title"] = info.title;
    j["font"] = info.font;
    j["skin_offset"] = info.skinOffset;
    j["menu"] = {{"category_count", info.categoryCount}, {"entry_count", info.entryCount},
                 {"x", info.layoutX}, {"y", info.layoutY}, {"count", info.layoutCount},
                 {"corner", info.corner}};
    j["categories"] = json::array();
    for (auto& c : info.categories)
        j["categories"].push_back({{"first", c.first}, {"span", c.span},
                                   {"mark", std::string(1, char(c.mark))}, {"name", c.name}});
    j["entries"] = json::array();
    for (auto& n : info.names)
        j["entries"].push_back({{"mark", std::string(1, char(n.mark))}, {"name", n.name}});
    j["records"] = json::array();
    for (auto& r : info.records) {
        json rec = {{"offset", r.offset}, {"type", r.type}, {"kind", ItemTypeName(r.type)},
                    {"previous_type", r.previousType}, {"previous_size", r.previousSize},
                    {"data_size", r.dataSize}};
        if (lb_is_text_type(r.type))
            rec["length"] = r.sizeField;
        else {
            rec["width"] = r.sizeField >> 16;
            rec["height"] = r.sizeField & 0xFFFF;
        }
        j["records"].push_back(rec);
    }
    j["file_size"] = info.fileSize;
    j["records_end"] = info.recordsEnd;
    j["ends_after_last_record"] = info.endsAfterLastRecord;
    j["problems"] = info.problems;
    return j;
}

} // namespace lb
