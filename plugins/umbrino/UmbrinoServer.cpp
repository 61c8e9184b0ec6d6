// The Data object of Umbrino.pgs answers Text and Run with the plug-in's own; Clr1 and Clr2 are unused.
#include "UmbrinoPlugin.h"
#include "lvx/PluginServer.h"

namespace lvx::plugin {

std::string DataText() {
    return lvx::plugins::UmbrinoText();
}

bool DataRun(int32_t hdc, int16_t w, int16_t h, int32_t, int32_t) {
    return lvx::plugins::UmbrinoRun(hdc, w, h) != 0;
}

}  // namespace lvx::plugin
