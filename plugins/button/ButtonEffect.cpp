#include "ButtonEffect.h"

#include "ColorScaling.h"

namespace lvx::plugins {
namespace {

void Process(HDC dc, int32_t x, int32_t y, const ChannelFactors& factors) {
    SetPixel(dc, x, y, static_cast<COLORREF>(GetClr(dc, x, y, factors, "Button")));
}

ChannelFactors Uniform(double koef) {
    return {koef, koef, koef};
}

}  // namespace

void DrawBevel(HDC dc, int16_t w, int16_t h, int16_t b, double k,
               const std::function<void(int pass)>& stepDone) {
    const int32_t W = w;
    const int32_t H = h;
    const int32_t B = b;

    const ChannelFactors top = Uniform(1 / (k + 0.1));
    for (int32_t y = 0; y <= B; ++y) {
        for (int32_t x = y, last = W - y; x <= last; ++x)
            Process(dc, x, y, top);
        stepDone(1);
    }
    const ChannelFactors left = Uniform(1 / k);
    for (int32_t x = 0; x <= B; ++x) {
        for (int32_t y = x + 1, last = H - x; y <= last; ++y)
            Process(dc, x, y, left);
        stepDone(2);
    }
    const ChannelFactors bottom = Uniform(k + 0.1);
    for (int32_t y = H - B; y <= H; ++y) {
        for (int32_t x = H - y, last = W + y - H; x <= last; ++x)
            Process(dc, x, y, bottom);
        stepDone(3);
    }
    const ChannelFactors right = Uniform(k);
    for (int32_t x = W - B; x <= W; ++x) {
        for (int32_t y = W - x, last = H + x - W - 1; y <= last; ++y)
            Process(dc, x, y, right);
        stepDone(4);
    }
}

}  // namespace lvx::plugins
