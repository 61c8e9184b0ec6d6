#include "ColorScaling.h"

#include <cmath>

#include "Rounding.h"
#include "lvx/Dialogs.h"
#include "lvx/runtime.h"

namespace lvx::plugins {
namespace {

// A component held as a 16-bit value; the split of a real colour always fits.
int16_t ToInt16(int32_t value) {
    if (value < INT16_MIN || value > INT16_MAX) throw lvx::RuntimeError(lvx::kErrOverflow);
    return static_cast<int16_t>(value);
}

// component x factor, rounded ties to even into 16 bits, then clamped.
int32_t Scale(int16_t component, double factor) {
    const int16_t scaled = RoundToInt16(component * factor);
    if (scaled > 255) return 255;
    if (scaled < 0) return 0;
    return scaled;
}

}  // namespace

int32_t GetClr(HDC dc, int32_t x1, int32_t y1, const ChannelFactors& factors, const char* title) {
    try {
        const auto c = static_cast<int32_t>(GetPixel(dc, x1, y1));
        const int16_t red = ToInt16(c % 256);
        const int16_t green = ToInt16((c / 256) % 256);
        const int16_t blue = ToInt16(c / 65536);
        return Scale(red, factors.red) + 256 * Scale(green, factors.green) +
               65536 * Scale(blue, factors.blue);
    } catch (const lvx::RuntimeError& error) {
        lvx::dialogs::messageBox(error.description(), title);
        return 0;
    }
}

}  // namespace lvx::plugins
