// GetPixel and SetPixel: one table look-up and one bounds test each. The per-pixel effects call
// them once per pixel, so they allocate nothing, lock nothing and call nothing.
#include "HandleTable.h"
#include "PixelFormat.h"
#include "lvx/gdi.h"

using lvx::gdi::g_table;
using lvx::gdi::kPixelBytes;
using lvx::gdi::Slot;

namespace {

// The pixel (x, y) of a context's surface, or nullptr. The unsigned comparison rejects negative
// coordinates too.
inline uint8_t* pixelAt(Slot* slot, int32_t x, int32_t y) {
    if (slot == nullptr || !slot->isDc()) return nullptr;
    if (static_cast<uint32_t>(x) >= static_cast<uint32_t>(slot->width) ||
        static_cast<uint32_t>(y) >= static_cast<uint32_t>(slot->height)) {
        return nullptr;
    }
    return slot->pixels + y * slot->stride + static_cast<ptrdiff_t>(x) * kPixelBytes;
}

}  // namespace

COLORREF GetPixel(HDC dc, int32_t x, int32_t y) {
    const uint8_t* pixel = pixelAt(g_table.find(dc), x, y);
    return pixel != nullptr ? lvx::gdi::colourOf(pixel) : CLR_INVALID;
}

COLORREF SetPixel(HDC dc, int32_t x, int32_t y, COLORREF colour) {
    // A value with a non-zero high byte is not a colour (CLR_INVALID read from outside the picture
    // arrives here unchanged): write nothing rather than some colour.
    if ((colour & 0xFF000000u) != 0) return CLR_INVALID;
    Slot* slot = g_table.find(dc);
    uint8_t* pixel = pixelAt(slot, x, y);
    if (pixel == nullptr || slot->readOnly) return CLR_INVALID;
    lvx::gdi::storeColour(pixel, colour);
    return colour;
}
