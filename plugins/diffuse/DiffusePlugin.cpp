#include "DiffusePlugin.h"

#include "DiffuseForm.h"

namespace lvx::plugins {

std::string DiffuseText() {
    return "Диффузия";
}

int16_t DiffuseRun(int32_t hDc, int16_t w, int16_t h) {
    return RunPluginDialog<DiffuseForm>(hDc, w, h);
}

}  // namespace lvx::plugins
