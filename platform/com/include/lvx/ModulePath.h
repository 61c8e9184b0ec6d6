// Where a loaded module's file is, for modules that register themselves.
#ifndef LVX_MODULEPATH_H
#define LVX_MODULEPATH_H

#include <string>

#include "lvx/ComExport.h"

namespace lvx {

// The absolute path of the shared object (or program) that holds the given code or data address,
// with symbolic links resolved; empty when no loaded object holds it. A module passes the address of
// one of its own functions or variables.
LVX_COM_API std::string ModulePathOf(const void* addressInModule);

}  // namespace lvx

#endif
