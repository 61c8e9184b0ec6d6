// The Button effect: four bevel bands, lightened along the top and left edges and darkened along the
// bottom and right ones, each a trapezoid with 45-degree ends.
#pragma once
#include <cstdint>
#include <functional>

#include "lvx/gdi.h"

namespace lvx::plugins {

// The four passes over the picture in dc (w x h), band width index 0..b, with k = (100 -
// brightness) / 100:
//   1 top:    y = 0 to b,      x = y to w - y,                factor 1 / (k + 0.1)
//   2 left:   x = 0 to b,      y = x + 1 to h - x,            factor 1 / k
//   3 bottom: y = h - b to h,  x = h - y to w + y - h,        factor k + 0.1
//   4 right:  x = w - b to w,  y = w - x to h + x - w - 1,    factor k
// Bounds are inclusive and taken when a loop starts; every visited pixel is read, scaled by GetClr and
// written back, so points on two bands are processed twice in pass order. After every outer step
// calls stepDone(pass), pass 1 to 4. The counters and sums are 32-bit, so bands near the 16-bit
// limit end, and points beyond the picture are dropped by the graphics calls.
void DrawBevel(HDC dc, int16_t w, int16_t h, int16_t b, double k,
               const std::function<void(int pass)>& stepDone);

}  // namespace lvx::plugins
