// lamivex unregister: runs each module's own DllUnregisterServer against the current registry.
#include "Commands.h"
#include "ModuleRegistration.h"

namespace lvx::host {

namespace {

constexpr const char* kHelp =
    "Usage: lamivex unregister FILE.pgs...\n"
    "Loads each plug-in module and runs its own DllUnregisterServer, which removes what it wrote to\n"
    "the registry named by LAMIVEX_REGISTRY (else $XDG_CONFIG_HOME/lamivex/registry, else\n"
    "~/.config/lamivex/registry): its class and type library while they still name this module, and\n"
    "its identifier while it still names its class. Prints one line per module.\n\n"
    "  -h, --help  print this help\n\n"
    "Exit status: 0 success, 2 bad command line, 5 some module could not be unregistered (each is\n"
    "reported; the others are unregistered).\n";

}  // namespace

int runUnregister(const std::vector<std::string>& args) {
    return runModuleRegistration("unregister", kHelp, false, args);
}

}  // namespace lvx::host
