#include "core/common/SharedLibrary.h"

#include <dlfcn.h>

namespace varnel {

// RTLD_LOCAL: the library's names never stand in for the program's own.
SharedLibrary::SharedLibrary(const char* fileName) : handle_(dlopen(fileName, RTLD_LAZY | RTLD_LOCAL)) {}

void* SharedLibrary::Symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

}  // namespace varnel
