// The Data object of Mollivo.pgs answers Text and Run with the plug-in's own; Clr1 and Clr2 are unused.
#include "MollivoPlugin.h"
#include "lvx/PluginServer.h"

namespace lvx::plugin {

std::string DataText() {
    return lvx::plugins::MollivoText();
}

bool DataRun(int32_t hdc, int16_t w, int16_t h, int32_t, int32_t) {
    return lvx::plugins::MollivoRun(hdc, w, h) != 0;
}

}  // namespace lvx::plugin
