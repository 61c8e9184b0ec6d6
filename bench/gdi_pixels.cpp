// Prints the cost of one GetPixel + SetPixel pair through a device-context handle (a call into the
// shared graphics library, as the per-pixel effects make) against the same read and write done
// directly on the memory.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "lvx/gdi.h"

namespace {

constexpr int32_t kWidth = 1024;
constexpr int32_t kHeight = 1024;
constexpr int kRounds = 20;

using Clock = std::chrono::steady_clock;

double nsPerPixel(Clock::duration elapsed) {
    return std::chrono::duration<double, std::nano>(elapsed).count() / (double(kWidth) * kHeight * kRounds);
}

// Reads a pixel as a colour and writes it back with red raised by one, as an effect would.
void throughHandle(HDC dc) {
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            SetPixel(dc, x, y, (c & 0xFFFF00u) | ((c + 1) & 0xFFu));
        }
    }
}

void direct(uint8_t* pixels, int32_t stride) {
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
        for (int32_t x = 0; x < kWidth; ++x) {
            uint8_t* p = row + x * 4;
            const uint32_t c = p[2] | p[1] << 8 | p[0] << 16;
            const uint32_t d = (c & 0xFFFF00u) | ((c + 1) & 0xFFu);
            p[2] = static_cast<uint8_t>(d);
            p[1] = static_cast<uint8_t>(d >> 8);
            p[0] = static_cast<uint8_t>(d >> 16);
        }
    }
}

}  // namespace

int main() {
    std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4, 0x40);
    const HDC dc = LvxGdi_CreateSurfaceDC(pixels.data(), kWidth, kHeight, kWidth * 4);
    if (dc == 0) {
        std::fprintf(stderr, "cannot create the device context\n");
        return 1;
    }
    throughHandle(dc);  // warm up caches and the lazy binding of the calls
    auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i)
        throughHandle(dc);
    const double handleNs = nsPerPixel(Clock::now() - start);

    start = Clock::now();
    for (int i = 0; i < kRounds; ++i)
        direct(pixels.data(), kWidth * 4);
    const double directNs = nsPerPixel(Clock::now() - start);

    // The red byte has been raised 2 * kRounds + 1 times; printing it keeps the loops from being
    // optimised away.
    std::printf("GetPixel+SetPixel through the handle: %.2f ns per pixel\n", handleNs);
    std::printf("direct loop on the memory:            %.2f ns per pixel\n", directNs);
    std::printf("(%d x %d surface, %d rounds each; check byte %u)\n", kWidth, kHeight, kRounds,
                unsigned{pixels[2]});
    LvxGdi_ReleaseSurfaceDC(dc);
    return 0;
}
