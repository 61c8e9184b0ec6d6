// The Colors effect: every component of every pixel multiplied by its channel's percentage / 100.
#pragma once
#include <cstdint>
#include <functional>

#include "lvx/gdi.h"

namespace lvx::plugins {

struct ColorPercents {
    int16_t red = 100;
    int16_t green = 100;
    int16_t blue = 100;
};

// Visits the points (x, y) for y = 0..h and x = 0..w (both inclusive, so one column and one row
// beyond a w x h picture, which read the invalid colour and write nothing), reads each through GetClr
// and writes the result back in place. After each row calls rowDone(y). Counters are 32-bit so that
// w or h = 32767 ends; negative sizes visit nothing.
void ScaleColors(HDC dc, int16_t w, int16_t h, const ColorPercents& percents,
                 const std::function<void(int32_t y)>& rowDone);

}  // namespace lvx::plugins
