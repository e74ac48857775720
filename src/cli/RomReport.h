#pragma once

#include "rom/RomReader.h"

#include <nlohmann/json.hpp>
#include <string>

namespace lb {

std::string RomReportText(const RomInfo& info);
nlohmann::json RomReportJson(const RomInfo& info);

} // namespace lb
