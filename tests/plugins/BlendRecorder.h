// Watches the AlphaBlend calls a plug-in makes: the test program defines AlphaBlend itself and exports
// it, so the plug-in modules bind to this definition, which records each call and passes it on to the
// graphics service's own.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "lvx/gdi.h"

namespace lvx::plugins::test {

struct BlendCall {
    HDC dst;
    int32_t x, y, w, h;
    HDC src;
    uint32_t blend;
    BOOL result;
    bool operator==(const BlendCall&) const = default;
};

// Records while it lives; afterCall (if set) runs right after each call returned.
class BlendRecorder {
  public:
    BlendRecorder();
    ~BlendRecorder();
    BlendRecorder(const BlendRecorder&) = delete;
    BlendRecorder& operator=(const BlendRecorder&) = delete;

    std::vector<BlendCall> calls;
    std::function<void(const BlendCall&)> afterCall;
};

}  // namespace lvx::plugins::test
