#include "lvx/ModulePath.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

namespace lvx {

std::string ModulePathOf(const void* addressInModule) {
    Dl_info info;
    if (dladdr(addressInModule, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == 0) return {};
    // dladdr answers the name the object was loaded by, which may be relative or a link.
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved) != nullptr) return resolved;
    return info.dli_fname;
}

}  // namespace lvx
