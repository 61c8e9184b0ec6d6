// The Mollivo effect: a soft blur made of repetitions of six blends of randomly shifted copies.
#pragma once
#include <cstdint>
#include <functional>

#include "lvx/gdi.h"

namespace lvx::plugins {

// Blend value of pass j (0 to 5) of a repetition: alpha 255 - 40 j as SourceConstantAlpha.
uint32_t MollivoPassBlend(int j);

// The offset drawn from one random number r: round(2r - 1), ties to even, so -1 for r < 0.25, 1 for
// r > 0.75 and 0 between.
int16_t MollivoOffset(float r);

// On a memory surface compatible with dc (w x h): copies the picture there, calls repetitionDone(0),
// then n times (none when n < 1): six AlphaBlend passes of the picture at random offsets (dx then dy,
// each from its own random number) onto the memory surface with the blend values of MollivoPassBlend,
// the memory surface copied back to the picture, repetitionDone(i). Releases the memory objects in
// order: the kept bitmap selected back, the work bitmap deleted, the memory context deleted. The
// generator is used as it stands (not seeded here).
void BlurRepeatedly(HDC dc, int16_t w, int16_t h, int32_t n,
                    const std::function<void(int32_t i)>& repetitionDone);

}  // namespace lvx::plugins
