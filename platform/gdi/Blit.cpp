// BitBlt and AlphaBlend: block transfers between two contexts, clipped to both surfaces.
#include <cstring>

#include "Blend.h"
#include "BlockClip.h"
#include "HandleTable.h"
#include "PixelFormat.h"
#include "lvx/gdi.h"

using lvx::gdi::BlockClip;
using lvx::gdi::g_table;
using lvx::gdi::kAlpha;
using lvx::gdi::kPixelBytes;
using lvx::gdi::Slot;

namespace {

// The rows and pixels of a clipped block, in an order that reads every source pixel before it is
// written when source and target are the same memory (as memmove does): descending addresses when
// the target lies after the source, ascending otherwise.
struct BlockWalk {
    uint8_t* dst;          // first target pixel in walking order
    const uint8_t* src;    // its source pixel
    ptrdiff_t dstRowStep;  // from one row to the next in walking order
    ptrdiff_t srcRowStep;
    ptrdiff_t pixelStep;  // +4 or -4
    int64_t columns;
    int64_t rows;

    BlockWalk(const Slot& target, int32_t x, int32_t y, const Slot& source, int32_t xSrc, int32_t ySrc,
              const BlockClip& c) {
        uint8_t* d = target.pixels + (y + c.j0) * target.stride + (x + c.i0) * kPixelBytes;
        const uint8_t* s = source.pixels + (ySrc + c.j0) * source.stride + (xSrc + c.i0) * kPixelBytes;
        columns = c.i1 - c.i0;
        rows = c.j1 - c.j0;
        dstRowStep = target.stride;
        srcRowStep = source.stride;
        pixelStep = kPixelBytes;
        if (d > s) {
            // Start from the last pixel of the last row.
            d += (rows - 1) * target.stride + (columns - 1) * kPixelBytes;
            s += (rows - 1) * source.stride + (columns - 1) * kPixelBytes;
            dstRowStep = -dstRowStep;
            srcRowStep = -srcRowStep;
            pixelStep = -pixelStep;
        }
        dst = d;
        src = s;
    }
};

Slot* findDc(HDC dc) {
    Slot* slot = g_table.find(dc);
    return slot != nullptr && slot->isDc() ? slot : nullptr;
}

}  // namespace

BOOL BitBlt(HDC dst, int32_t x, int32_t y, int32_t w, int32_t h, HDC src, int32_t xSrc, int32_t ySrc,
            uint32_t rop) {
    Slot* target = findDc(dst);
    const Slot* source = findDc(src);
    if (target == nullptr || source == nullptr || target->readOnly) return FALSE;
    if (rop != SRCCOPY || w < 0 || h < 0) return FALSE;
    const BlockClip c =
        BlockClip::of(w, h, xSrc, ySrc, source->width, source->height, x, y, target->width, target->height);
    if (c.empty()) return TRUE;
    BlockWalk walk(*target, x, y, *source, xSrc, ySrc, c);
    // Whole rows at once: memmove copes with a row that overlaps its own source.
    const size_t rowBytes = static_cast<size_t>(walk.columns) * kPixelBytes;
    const ptrdiff_t rowStart = walk.pixelStep < 0 ? (walk.columns - 1) * kPixelBytes : 0;
    for (int64_t r = 0; r < walk.rows; ++r) {
        std::memmove(walk.dst - rowStart, walk.src - rowStart, rowBytes);
        walk.dst += walk.dstRowStep;
        walk.src += walk.srcRowStep;
    }
    return TRUE;
}

BOOL AlphaBlend(HDC dst, int32_t xDst, int32_t yDst, int32_t wDst, int32_t hDst, HDC src, int32_t xSrc,
                int32_t ySrc, int32_t wSrc, int32_t hSrc, uint32_t blend) {
    const uint32_t blendOp = blend & 0xFF;
    const uint32_t blendFlags = (blend >> 8) & 0xFF;
    const uint32_t alpha = (blend >> 16) & 0xFF;
    const uint32_t alphaFormat = blend >> 24;
    // Only AC_SRC_OVER with flags 0 and the two documented alpha formats mean anything; any other
    // value (0xFF in byte 3, say) is refused rather than guessed at.
    if (blendOp != AC_SRC_OVER || blendFlags != 0) return FALSE;
    if (alphaFormat != 0 && alphaFormat != AC_SRC_ALPHA) return FALSE;
    Slot* target = findDc(dst);
    const Slot* source = findDc(src);
    if (target == nullptr || source == nullptr || target->readOnly) return FALSE;
    if (wDst < 0 || hDst < 0 || wDst != wSrc || hDst != hSrc) return FALSE;
    const BlockClip c = BlockClip::of(wSrc, hSrc, xSrc, ySrc, source->width, source->height, xDst, yDst,
                                      target->width, target->height);
    if (c.empty()) return TRUE;
    BlockWalk walk(*target, xDst, yDst, *source, xSrc, ySrc, c);
    for (int64_t r = 0; r < walk.rows; ++r) {
        uint8_t* d = walk.dst;
        const uint8_t* s = walk.src;
        if (alphaFormat == 0) {
            for (int64_t i = 0; i < walk.columns; ++i, d += walk.pixelStep, s += walk.pixelStep) {
                for (int k = 0; k < kPixelBytes; ++k)
                    d[k] = lvx::gdi::blendConstant(s[k], d[k], alpha);
            }
        } else {
            for (int64_t i = 0; i < walk.columns; ++i, d += walk.pixelStep, s += walk.pixelStep) {
                const uint32_t sa = lvx::gdi::scale(s[kAlpha], alpha);
                for (int k = 0; k < kPixelBytes; ++k) {
                    d[k] = lvx::gdi::blendPremultiplied(lvx::gdi::scale(s[k], alpha), d[k], sa);
                }
            }
        }
        walk.dst += walk.dstRowStep;
        walk.src += walk.srcRowStep;
    }
    return TRUE;
}
