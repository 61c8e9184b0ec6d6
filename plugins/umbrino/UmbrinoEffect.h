// The Umbrino effect: the picture blended with copies of itself shifted along the main diagonal.
#pragma once
#include <cstdint>

#include "lvx/gdi.h"

namespace lvx::plugins {

// Blend value of pass d (-2 to 4): from v = 128 - 40 d, 0x00D00000 for d = -2 down to 0x00080000 for
// d = 3; d = 4 gives v = -32 and 0xFFE00000, whose AlphaFormat 0xFF the graphics service refuses, so
// that pass draws nothing.
uint32_t UmbrinoPassBlend(int16_t d);

// On a new memory surface compatible with dc (w x h, its initial content left as the graphics service
// makes it: opaque black), blends the picture at offsets (d, d) for d = -2 to 4 with the blend values
// of UmbrinoPassBlend, copies the surface to the picture, and releases the memory objects in order
// (the kept bitmap selected back, the work bitmap deleted, the memory context deleted).
void BlendDiagonal(HDC dc, int16_t w, int16_t h);

}  // namespace lvx::plugins
