// GetClr: reads one pixel and scales its red, green and blue components by their factors.
#pragma once
#include <cstdint>

#include "lvx/gdi.h"

namespace lvx::plugins {

struct ChannelFactors {
    double red = 1.0;
    double green = 1.0;
    double blue = 1.0;
};

// The colour of pixel (x1, y1) of `dc` with each component multiplied by its factor, rounded to
// nearest (ties to even) and clamped to 0..255. The colour is split with truncating division, so the
// invalid colour of a point outside the picture (-1 as a signed value) gives red -1, green 0, blue 0
// and comes back black. A conversion error on the way (a component or product beyond 16 bits) is
// shown in a message box with its description and `title`, and the pixel comes back black (0).
// Coordinates are 32-bit so that loops near the 16-bit limit stay exact; points beyond the picture
// read the invalid colour like any other outside point.
int32_t GetClr(HDC dc, int32_t x1, int32_t y1, const ChannelFactors& factors, const char* title);

}  // namespace lvx::plugins
