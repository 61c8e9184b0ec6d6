// The byte layout of a surface pixel and its conversion to and from a colour value.
#pragma once

#include <cstdint>

namespace lvx::gdi {

// Byte offsets inside one 4-byte pixel.
constexpr int kBlue = 0;
constexpr int kGreen = 1;
constexpr int kRed = 2;
constexpr int kAlpha = 3;
constexpr int kPixelBytes = 4;

// 0x00BBGGRR from the pixel's bytes; alpha is dropped.
inline uint32_t colourOf(const uint8_t* pixel) {
    return static_cast<uint32_t>(pixel[kRed]) | static_cast<uint32_t>(pixel[kGreen]) << 8 |
           static_cast<uint32_t>(pixel[kBlue]) << 16;
}

// Writes the colour's three components; the alpha byte is left as it is.
inline void storeColour(uint8_t* pixel, uint32_t colour) {
    pixel[kRed] = static_cast<uint8_t>(colour);
    pixel[kGreen] = static_cast<uint8_t>(colour >> 8);
    pixel[kBlue] = static_cast<uint8_t>(colour >> 16);
}

}  // namespace lvx::gdi
