// The members of the test components' Data class.
#include <stdexcept>

#include "lvx/PluginServer.h"

#ifndef PROBE_TEXT
#define PROBE_TEXT "Проба"
#endif

namespace lvx::plugin {

std::string DataText() {
    return PROBE_TEXT;
}

// True exactly when hDc equals w * h and Clr2 is the complement of Clr1, so a caller can tell that
// every argument arrived; hDc = -1 makes the member fail.
bool DataRun(int32_t hDc, int16_t w, int16_t h, int32_t clr1, int32_t clr2) {
    if (hDc == -1) throw std::runtime_error("probe failure");
    return hDc == int32_t{w} * h && clr2 == ~clr1;
}

}  // namespace lvx::plugin
