#pragma once

#include <string>

namespace lb {

// A symbol of one of the program's shared modules (the parts that link a heavy library, so
// that only the commands needing it load it). The module is looked for beside the
// executable, one folder up (the build's test folders) and in the installation's module
// folder (../lib/ARCH/lumenbrook); it stays loaded. Throws lb::Error naming the module and the
// cause.
void* ModuleSymbol(const std::string& module, const char* symbol);

} // namespace lb
