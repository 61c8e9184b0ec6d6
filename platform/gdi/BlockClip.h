// Clipping of a block transfer to its source and target surfaces.
#pragma once

#include <algorithm>
#include <cstdint>

namespace lvx::gdi {

// The part of a w x h block that lies inside both surfaces: offsets (i, j) with i0 <= i < i1 and
// j0 <= j < j1, for which (srcX + i, srcY + j) is inside the source and (dstX + i, dstY + j) inside
// the target. Computed in 64 bits, so no coordinate near the 32-bit limits can wrap.
struct BlockClip {
    int64_t i0 = 0, i1 = 0, j0 = 0, j1 = 0;

    bool empty() const { return i0 >= i1 || j0 >= j1; }

    static BlockClip of(int32_t w, int32_t h, int32_t srcX, int32_t srcY, int32_t srcW, int32_t srcH,
                        int32_t dstX, int32_t dstY, int32_t dstW, int32_t dstH) {
        BlockClip c;
        c.i0 = std::max<int64_t>({0, -int64_t{srcX}, -int64_t{dstX}});
        c.i1 = std::min<int64_t>({w, int64_t{srcW} - srcX, int64_t{dstW} - dstX});
        c.j0 = std::max<int64_t>({0, -int64_t{srcY}, -int64_t{dstY}});
        c.j1 = std::min<int64_t>({h, int64_t{srcH} - srcY, int64_t{dstH} - dstY});
        return c;
    }
};

}  // namespace lvx::gdi
