// The blend and copy of the graphics service written as plain loops over pixel bytes, to check the
// blur effects against (and to time them against in the benchmark).
#pragma once
#include <cstdint>
#include <vector>

namespace lvx::plugins::test {

// Blends the w x h picture `src` at offset (dx, dy) onto `dst` (same size), clipped, every byte:
// dst = (src * a + dst * (255 - a) + 127) / 255.
inline void ReferenceBlend(std::vector<uint8_t>& dst, const std::vector<uint8_t>& src, int w, int h, int dx,
                           int dy, int a) {
    for (int y = 0; y < h; ++y) {
        const int ty = y + dy;
        if (ty < 0 || ty >= h) continue;
        for (int x = 0; x < w; ++x) {
            const int tx = x + dx;
            if (tx < 0 || tx >= w) continue;
            const uint8_t* s = &src[(size_t(y) * w + x) * 4];
            uint8_t* d = &dst[(size_t(ty) * w + tx) * 4];
            for (int i = 0; i < 4; ++i)
                d[i] = uint8_t((s[i] * a + d[i] * (255 - a) + 127) / 255);
        }
    }
}

}  // namespace lvx::plugins::test
