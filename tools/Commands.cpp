#include "Commands.h"

namespace lvx::host {

namespace {
// Plug-in commands (register, unregister, effects, apply) join this table when they exist.
constexpr Command kCommands[] = {
    {"info", "describe a document and its layers", runInfo},
    {"extract", "write the merged image and the layers as PNG files", runExtract},
};
}  // namespace

std::span<const Command> commands() {
    return kCommands;
}

}  // namespace lvx::host
