// The registry edits behind type library and server registration, shared so that a server's
// registration is one atomic change of the registry.
#ifndef LVX_REGISTRATIONKEYS_H
#define LVX_REGISTRATIONKEYS_H

#include <string>

#include "lvx/Registry.h"
#include "lvx/TypeLibrary.h"

namespace lvx {

void WriteTypeLibraryKeys(RegistryKey& root, const TypeLibrary& library, const std::string& modulePath);
// False when the library version was not registered at all.
bool RemoveTypeLibraryKeys(RegistryKey& root, const TypeLibrary& library, const std::string& modulePath);

}  // namespace lvx

#endif
