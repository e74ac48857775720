#pragma once

#include "rom/RomReader.h"

#include <nlohmann/json.hpp>
#include <string>

namespace lb {

std::string InspectText(const RomInfo& info);
nlohmann::json InspectJson(const RomInfo& info);

} // namespace lb
