// Creation, selection and deletion of device contexts and bitmaps, and the host-side calls.
#include <cstring>
#include <new>

#include "HandleTable.h"
#include "PixelFormat.h"
#include "lvx/gdi.h"

using lvx::gdi::g_table;
using lvx::gdi::kPixelBytes;
using lvx::gdi::ObjectKind;
using lvx::gdi::Slot;

namespace {

// The most pixels one bitmap may have (1 GiB of memory): a larger request fails instead of
// exhausting the machine.
constexpr int64_t kMaxBitmapPixels = int64_t{1} << 28;

Slot* findDc(HDC dc) {
    Slot* slot = g_table.find(dc);
    return slot != nullptr && slot->isDc() ? slot : nullptr;
}

// Points a memory context at the surface of the bitmap selected into it.
void showBitmap(Slot& dc, const Slot& bitmap) {
    dc.link = bitmap.handle;
    dc.readOnly = bitmap.readOnly;
    dc.setSurface(bitmap.pixels, bitmap.width, bitmap.height, bitmap.stride);
}

}  // namespace

HDC LvxGdi_CreateSurfaceDC(void* pixels, int32_t width, int32_t height, int32_t stride) {
    if (width < 0 || height < 0 || stride < 0 || stride % kPixelBytes != 0) return 0;
    if (static_cast<int64_t>(stride) < static_cast<int64_t>(width) * kPixelBytes) return 0;
    if (pixels == nullptr && width != 0 && height != 0) return 0;
    Slot* slot = g_table.allocate(ObjectKind::SurfaceDc);
    if (slot == nullptr) return 0;
    slot->setSurface(static_cast<uint8_t*>(pixels), width, height, stride);
    return slot->handle;
}

BOOL LvxGdi_ReleaseSurfaceDC(HDC dc) {
    Slot* slot = g_table.find(dc);
    if (slot == nullptr || slot->kind != ObjectKind::SurfaceDc) return FALSE;
    g_table.release(*slot);
    return TRUE;
}

BOOL LvxGdi_GetSurface(HGDIOBJ object, LvxSurface* out) {
    const Slot* slot = g_table.find(object);
    if (slot == nullptr || out == nullptr) return FALSE;
    out->pixels = slot->pixels;
    out->width = slot->width;
    out->height = slot->height;
    out->stride = static_cast<int32_t>(slot->stride);
    return TRUE;
}

uint32_t LvxGdi_ObjectCount(void) {
    return g_table.liveCount();
}

HDC CreateCompatibleDC(HDC dc) {
    if (dc != 0 && findDc(dc) == nullptr) return 0;
    Slot* slot = g_table.allocate(ObjectKind::MemoryDc);
    if (slot == nullptr) return 0;
    showBitmap(*slot, *g_table.find(g_table.stockBitmap()));
    return slot->handle;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int32_t width, int32_t height) {
    if (findDc(dc) == nullptr || width < 0 || height < 0) return 0;
    // As on Windows, an empty request gives the smallest bitmap rather than none.
    if (width == 0 || height == 0) width = height = 1;
    const int64_t count = static_cast<int64_t>(width) * height;
    if (count > kMaxBitmapPixels) return 0;
    const size_t bytes = static_cast<size_t>(count) * kPixelBytes;
    std::unique_ptr<uint8_t[]> storage(new (std::nothrow) uint8_t[bytes]);
    if (storage == nullptr) return 0;
    const uint8_t opaqueBlack[kPixelBytes] = {0, 0, 0, 255};
    for (size_t i = 0; i < bytes; i += kPixelBytes)
        std::memcpy(&storage[i], opaqueBlack, kPixelBytes);
    Slot* slot = g_table.allocate(ObjectKind::Bitmap);
    if (slot == nullptr) return 0;
    slot->setSurface(storage.get(), width, height, static_cast<ptrdiff_t>(width) * kPixelBytes);
    slot->storage = std::move(storage);
    return slot->handle;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    Slot* context = g_table.find(dc);
    Slot* bitmap = g_table.find(object);
    if (context == nullptr || context->kind != ObjectKind::MemoryDc) return 0;
    if (bitmap == nullptr || !bitmap->isBitmap()) return 0;
    const uint32_t previous = context->link;
    if (previous == object) return previous;
    // A bitmap is drawn on through one context at a time; the stock bitmap is never drawn on.
    if (bitmap->kind == ObjectKind::Bitmap && bitmap->link != 0) return 0;
    Slot* old = g_table.find(previous);
    if (old != nullptr && old->kind == ObjectKind::Bitmap) old->link = 0;
    if (bitmap->kind == ObjectKind::Bitmap) bitmap->link = dc;
    showBitmap(*context, *bitmap);
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    Slot* slot = g_table.find(object);
    if (slot == nullptr) return FALSE;
    if (slot->kind == ObjectKind::StockBitmap) return TRUE;
    // Freeing a selected bitmap would leave its context drawing on freed memory.
    if (slot->kind != ObjectKind::Bitmap || slot->link != 0) return FALSE;
    g_table.release(*slot);
    return TRUE;
}

BOOL DeleteDC(HDC dc) {
    Slot* slot = g_table.find(dc);
    if (slot == nullptr || slot->kind != ObjectKind::MemoryDc) return FALSE;
    Slot* bitmap = g_table.find(slot->link);
    if (bitmap != nullptr && bitmap->kind == ObjectKind::Bitmap) bitmap->link = 0;
    g_table.release(*slot);
    return TRUE;
}
