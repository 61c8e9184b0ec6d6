#include "DiffuseEffect.h"

#include "Rounding.h"
#include "lvx/runtime.h"

namespace lvx::plugins {
namespace {

inline int16_t Sign() { return static_cast<double>(lvx::Rnd()) + 0.45555 > 1 ? 1 : -1; }

// Inline in the scan: two offsets a pixel, no call of their own.
inline int16_t Offset(bool horizontal, DiffuseDirection direction, int16_t d) {
    int16_t s = 0;
    if (direction == DiffuseDirection::Sluch) s = Sign();
    if (horizontal) {
        if (direction == DiffuseDirection::Sverhu) s = Sign();
        if (direction == DiffuseDirection::Sprava) s = 1;
    } else {
        if (direction == DiffuseDirection::Sverhu) s = 1;
        if (direction == DiffuseDirection::Sprava) s = Sign();
    }
    return RoundToInt16(static_cast<double>(lvx::Rnd()) * d * s);
}

}  // namespace

int16_t DiffuseSign() { return Sign(); }

int16_t DiffuseOffset(bool horizontal, DiffuseDirection direction, int16_t d) {
    return Offset(horizontal, direction, d);
}

void DiffusePixels(HDC dc, int16_t w, int16_t h, int16_t d, DiffuseDirection direction,
                   const std::function<void(int32_t y)>& rowDone) {
    for (int32_t y = 0; y <= h; ++y) {
        for (int32_t x = 0; x <= w; ++x) {
            const int32_t dx = Offset(true, direction, d);
            const int32_t dy = Offset(false, direction, d);
            SetPixel(dc, x + dx, y + dy, GetPixel(dc, x, y));
        }
        rowDone(y);
    }
}

}  // namespace lvx::plugins
