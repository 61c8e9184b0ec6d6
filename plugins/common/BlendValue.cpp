#include "BlendValue.h"

#include <cstdio>
#include <cstdlib>

namespace lvx::plugins {

uint32_t BlendValue(int16_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%X0000", static_cast<unsigned>(static_cast<uint16_t>(v)));
    // At most eight digits, so the value fits 32 bits; as a signed value it may be negative.
    return static_cast<uint32_t>(std::strtoul(text, nullptr, 16));
}

}  // namespace lvx::plugins
