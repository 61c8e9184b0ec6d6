#include "ColorsPlugin.h"

#include "ColorsForm.h"

namespace lvx::plugins {

std::string ColorsText() {
    return "Изменение отношения цветов";
}

int16_t ColorsRun(int32_t hDc, int16_t w, int16_t h) {
    return RunPluginDialog<ColorsForm>(hDc, w, h);
}

}  // namespace lvx::plugins
