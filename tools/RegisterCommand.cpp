// lamivex register: runs each module's own DllRegisterServer into the current registry.
#include "Commands.h"
#include "ModuleRegistration.h"

namespace lvx::host {

namespace {

constexpr const char* kHelp =
    "Usage: lamivex register FILE.pgs...\n"
    "Loads each plug-in module and runs its own DllRegisterServer, which records its class, its\n"
    "programmatic identifier and its type library in the registry named by LAMIVEX_REGISTRY (else\n"
    "$XDG_CONFIG_HOME/lamivex/registry, else ~/.config/lamivex/registry). Prints one line per module\n"
    "with the identifiers and class ids it now serves. A shared identifier belongs to the module\n"
    "registered last; every class stays reachable by class id.\n\n"
    "  -h, --help  print this help\n\n"
    "Exit status: 0 success, 2 bad command line, 5 some module could not be registered (each is\n"
    "reported; the others are registered).\n";

}  // namespace

int runRegister(const std::vector<std::string>& args) {
    return runModuleRegistration("register", kHelp, true, args);
}

}  // namespace lvx::host
