// The uniform generator of single-precision numbers, one state for the whole process.
#include <bit>

#include "lvx/runtime.h"

namespace lvx {

namespace {

constexpr uint32_t kStateMask = 0xFFFFFF;
constexpr uint32_t kMultiplier = 1140671485;
constexpr uint32_t kIncrement = 12820163;

uint32_t g_state = 0x50000;

}  // namespace

float Rnd() {
    // The product wraps modulo 2^32, which leaves the low 24 bits as modulo 2^24 would.
    g_state = (g_state * kMultiplier + kIncrement) & kStateMask;
    // A 24-bit value divided by 2^24 is exact in single precision and below 1.
    return static_cast<float>(g_state) / 16777216.0f;
}

void Randomize(float seed) {
    const uint32_t bits = std::bit_cast<uint32_t>(seed);
    g_state = (bits ^ (bits >> 8)) & kStateMask;
}

void Randomize() {
    Randomize(Timer());
}

uint32_t RndState() {
    return g_state;
}

void SetRndState(uint32_t state) {
    if (state > kStateMask) throw RuntimeError(kErrInvalidCall);
    g_state = state;
}

}  // namespace lvx
