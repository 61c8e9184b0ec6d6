#include "UmbrinoPlugin.h"

#include "ModuleState.h"
#include "UmbrinoEffect.h"

namespace lvx::plugins {

std::string UmbrinoText() {
    return "Размытие";
}

int16_t UmbrinoRun(int32_t hdc, int16_t w, int16_t h) {
    BlendDiagonal(static_cast<HDC>(hdc), w, h);
    return kVariantFalse;
}

}  // namespace lvx::plugins
