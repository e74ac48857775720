#include "common/Module.h"

#include "common/Error.h"
#include "common/Files.h"

#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <mutex>

namespace fs = std::filesystem;

namespace lb {

namespace {

void* Open(const std::string& module) {
    const fs::path folder = ExecutableFolder();
    std::string causes;
    for (const fs::path& candidate : {folder / module, folder / ".." / module,
                                      folder / ".." / LUMENBROOK_MODULE_DIR / module}) {
        std::error_code ec;
        if (!fs::exists(candidate, ec)) continue;
        if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        causes += std::string("; ") + dlerror();
    }
    throw Error(module + ": the program's module could not be loaded" +
                (causes.empty()
                     ? " (it is neither beside the program nor in ../" LUMENBROOK_MODULE_DIR ")"
                     : causes));
}

} // namespace

void* ModuleSymbol(const std::string& module, const char* symbol) {
    static std::mutex mutex;
    static std::map<std::string, void*> opened;
    std::lock_guard lock(mutex);
    void*& handle = opened[module];
    if (!handle) handle = Open(module);
    void* found = dlsym(handle, symbol);
    if (!found) throw Error(module + ": it has no " + symbol);
    return found;
}

} // namespace lb
