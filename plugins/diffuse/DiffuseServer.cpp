// The Data object of Diffuse.pgs answers Text and Run with the plug-in's own; Clr1 and Clr2 are unused.
#include "DiffusePlugin.h"
#include "lvx/PluginServer.h"

namespace lvx::plugin {

std::string DataText() {
    return lvx::plugins::DiffuseText();
}

bool DataRun(int32_t hDc, int16_t w, int16_t h, int32_t, int32_t) {
    return lvx::plugins::DiffuseRun(hDc, w, h) != 0;
}

}  // namespace lvx::plugin
