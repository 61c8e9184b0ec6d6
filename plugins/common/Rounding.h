// Real to 16-bit integer, rounding to nearest with ties to even, for the per-pixel loops: the same
// result and the same Overflow error as lvx::CInt (the range is tested after rounding, NaN fails),
// inline so a pixel costs no call. std::rint rounds in the current mode, which the plug-ins never
// change from round-to-nearest-even.
#pragma once
#include <cmath>
#include <cstdint>

#include "lvx/runtime.h"

namespace lvx::plugins {

inline int16_t RoundToInt16(double x) {
    const double r = std::rint(x);
    if (!(r >= -32768.0 && r <= 32767.0)) throw lvx::RuntimeError(lvx::kErrOverflow);
    return static_cast<int16_t>(r);
}

}  // namespace lvx::plugins
