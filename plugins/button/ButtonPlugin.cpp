#include "ButtonPlugin.h"

#include "ButtonForm.h"

namespace lvx::plugins {

std::string ButtonText() {
    return "Превратить в кнопку";
}

int16_t ButtonRun(int32_t hDc, int16_t w, int16_t h) {
    return RunPluginDialog<ButtonForm>(hDc, w, h);
}

}  // namespace lvx::plugins
