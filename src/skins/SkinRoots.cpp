#include "skins/SkinRoots.h"

#include "common/Files.h"

namespace lb {

std::filesystem::path SkinRoots::Find(const char* kind, const std::string& name) const {
    for (const std::filesystem::path& root : folders) {
        std::filesystem::path found = ResolveNoCase(ResolveNoCase(root, kind), name);
        std::error_code ec;
        if (std::filesystem::exists(found, ec)) return found;
    }
    return ResolveNoCase(ResolveNoCase(Bundled(), kind), name);
}

} // namespace lb
