#include "ModuleState.h"

namespace lvx::plugins {

ModuleState& ThisModule() {
    static ModuleState state;
    return state;
}

}  // namespace lvx::plugins
