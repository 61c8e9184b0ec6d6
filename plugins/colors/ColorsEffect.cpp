#include "ColorsEffect.h"

#include "ColorScaling.h"

namespace lvx::plugins {

void ScaleColors(HDC dc, int16_t w, int16_t h, const ColorPercents& percents,
                 const std::function<void(int32_t y)>& rowDone) {
    const ChannelFactors factors{percents.red / 100.0, percents.green / 100.0, percents.blue / 100.0};
    for (int32_t y = 0; y <= h; ++y) {
        for (int32_t x = 0; x <= w; ++x)
            SetPixel(dc, x, y, static_cast<COLORREF>(GetClr(dc, x, y, factors, "Colors")));
        rowDone(y);
    }
}

}  // namespace lvx::plugins
