// The Diffuse effect: every pixel's colour copied to a point displaced by a random offset.
#pragma once
#include <cstdint>
#include <functional>

#include "lvx/gdi.h"

namespace lvx::plugins {

// The option buttons: Sluch (any direction), Sverhu (y offsets downwards only), Sprava (x offsets
// rightwards only).
enum class DiffuseDirection { Sluch, Sverhu, Sprava };

// +1 when one random number r has r + 0.45555 > 1, else -1: +1 with probability 0.45555.
int16_t DiffuseSign();

// One offset along x (horizontal) or y: the sign (drawn with DiffuseSign when the direction leaves
// it free, +1 when the direction forces it), then round(r x d x sign) from a fresh random number r,
// ties to even.
int16_t DiffuseOffset(bool horizontal, DiffuseDirection direction, int16_t d);

// Scans rows y = 0..h from the top and in each the columns x = 0..w from the left (both inclusive):
// draws dx, then dy, reads pixel (x, y) and writes its colour to (x + dx, y + dy), in place, so a
// colour moved ahead of the scan is moved again. After each row calls rowDone(y). Sums and counters
// are 32-bit; targets outside the picture are dropped by SetPixel (so are the invalid colours read
// beyond the picture's last column and row).
void DiffusePixels(HDC dc, int16_t w, int16_t h, int16_t d, DiffuseDirection direction,
                   const std::function<void(int32_t y)>& rowDone);

}  // namespace lvx::plugins
