#include "BlendRecorder.h"

#include <dlfcn.h>

#include <cstdlib>

namespace lvx::plugins::test {
namespace {
BlendRecorder* gRecorder = nullptr;
}

BlendRecorder::BlendRecorder() {
    gRecorder = this;
}
BlendRecorder::~BlendRecorder() {
    gRecorder = nullptr;
}

}  // namespace lvx::plugins::test

extern "C" BOOL AlphaBlend(HDC dst, int32_t xDst, int32_t yDst, int32_t wDst, int32_t hDst, HDC src,
                           int32_t xSrc, int32_t ySrc, int32_t wSrc, int32_t hSrc, uint32_t blend) {
    using Fn =
        BOOL (*)(HDC, int32_t, int32_t, int32_t, int32_t, HDC, int32_t, int32_t, int32_t, int32_t, uint32_t);
    static const Fn service = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "AlphaBlend"));
    if (service == nullptr) std::abort();
    const BOOL result = service(dst, xDst, yDst, wDst, hDst, src, xSrc, ySrc, wSrc, hSrc, blend);
    using lvx::plugins::test::gRecorder;
    if (gRecorder != nullptr) {
        const lvx::plugins::test::BlendCall call{dst, xDst, yDst, wDst, hDst, src, blend, result};
        gRecorder->calls.push_back(call);
        if (gRecorder->afterCall) gRecorder->afterCall(call);
    }
    return result;
}
