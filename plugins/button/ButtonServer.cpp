// The Data object of Button.pgs answers Text and Run with the plug-in's own; Clr1 and Clr2 are unused.
#include "ButtonPlugin.h"
#include "lvx/PluginServer.h"

namespace lvx::plugin {

std::string DataText() {
    return lvx::plugins::ButtonText();
}

bool DataRun(int32_t hDc, int16_t w, int16_t h, int32_t, int32_t) {
    return lvx::plugins::ButtonRun(hDc, w, h) != 0;
}

}  // namespace lvx::plugin
