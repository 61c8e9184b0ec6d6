// The integer blend of one byte, as AlphaBlend applies it.
#pragma once

#include <cstdint>

namespace lvx::gdi {

// src * a / 255 + dst * (1 - a / 255) rounded to nearest. The exact value is a multiple of 1/255,
// which is never halfway between two integers, so adding 127 before the division rounds it exactly.
inline uint8_t blendConstant(uint32_t src, uint32_t dst, uint32_t a) {
    return static_cast<uint8_t>((src * a + dst * (255 - a) + 127) / 255);
}

// The byte scaled by a / 255, rounded to nearest.
inline uint32_t scale(uint32_t value, uint32_t a) {
    return (value * a + 127) / 255;
}

// Source-over with a premultiplied source already scaled by the constant alpha: s + dst * (1 - sa /
// 255), saturated at 255 for a source that was not truly premultiplied.
inline uint8_t blendPremultiplied(uint32_t scaledSrc, uint32_t dst, uint32_t scaledSrcAlpha) {
    const uint32_t v = scaledSrc + scale(dst, 255 - scaledSrcAlpha);
    return static_cast<uint8_t>(v > 255 ? 255 : v);
}

}  // namespace lvx::gdi
