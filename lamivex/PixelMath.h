// Rectangle extents in 64 bits and the exact alpha scaling shared by the decoders.
#ifndef LAMIVEX_PIXELMATH_H
#define LAMIVEX_PIXELMATH_H

#include <cstdint>

#include "lvx/Rect.h"

inline int64_t Width(const lvx::RECT& r) {
    return int64_t{r.right} - r.left;
}
inline int64_t Height(const lvx::RECT& r) {
    return int64_t{r.bottom} - r.top;
}

// Pixels of r, 0 when it is empty or inverted. Extents reach 2^32 - 1, so a product of two could pass
// the 64-bit range: it saturates instead.
inline int64_t Area(const lvx::RECT& r) {
    const int64_t w = Width(r), h = Height(r);
    if (w <= 0 || h <= 0) return 0;
    int64_t area = 0;
    return __builtin_mul_overflow(w, h, &area) ? INT64_MAX : area;
}

// floor(a * m / 255) for a, m in 0..255; the compiler turns the constant division into an exact
// multiply and shift.
inline uint8_t Scale(uint32_t a, uint32_t m) {
    return static_cast<uint8_t>(a * m / 255u);
}

#endif
