#include "MollivoPlugin.h"

#include "MollivoForm.h"

namespace lvx::plugins {

std::string MollivoText() {
    return "Размытие";
}

int16_t MollivoRun(int32_t hdc, int16_t w, int16_t h) {
    return RunPluginDialog<MollivoForm>(hdc, w, h);
}

}  // namespace lvx::plugins
