// The 32-bit BLENDFUNCTION value the blur effects hand to AlphaBlend for an alpha value.
#pragma once
#include <cstdint>

namespace lvx::plugins {

// The value is made as text: v in upper-case hexadecimal without leading zeros (a negative v as the
// four digits of its 16-bit two's complement), four zero digits appended, read back as hexadecimal
// into a signed 32-bit value. For 0 <= v <= 255 that is v x 65536, i.e. SourceConstantAlpha = v and
// the other bytes 0; v = -32 gives 0xFFE00000, whose AlphaFormat byte 0xFF is not a defined format.
uint32_t BlendValue(int16_t v);

}  // namespace lvx::plugins
