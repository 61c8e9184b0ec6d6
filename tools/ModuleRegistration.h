#pragma once

#include <string>
#include <vector>

namespace lvx::host {

// The work of `lamivex register` and `lamivex unregister`: each module named in args runs its own
// DllRegisterServer (or DllUnregisterServer) against the current registry. Every module is reported
// on its own line; a failing one does not stop the others. Returns the exit status.
int runModuleRegistration(const char* command, const char* help, bool registering,
                          const std::vector<std::string>& args);

}  // namespace lvx::host
