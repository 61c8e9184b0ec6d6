#include "Commands.h"

namespace lvx::host {

namespace {
constexpr Command kCommands[] = {
    {"info", "describe a document and its layers", runInfo},
    {"extract", "write the merged image and the layers as PNG files", runExtract},
    {"register", "record effect plug-in modules in the registry", runRegister},
    {"unregister", "remove effect plug-in modules from the registry", runUnregister},
    {"effects", "list the registered effect plug-ins", runEffects},
    {"apply", "run an effect plug-in on a PNG picture", runApply},
};
}  // namespace

std::span<const Command> commands() {
    return kCommands;
}

}  // namespace lvx::host
