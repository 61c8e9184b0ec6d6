// A stand-in plug-in: a separately loaded module that draws through the graphics service, to show
// that a handle the host made resolves inside another module.
#include "lvx/gdi.h"

extern "C" __attribute__((visibility("default"))) COLORREF ProbeInvertPixel(HDC dc, int32_t x, int32_t y) {
    const COLORREF c = GetPixel(dc, x, y);
    if (c == CLR_INVALID) return c;
    return SetPixel(dc, x, y, c ^ 0x00FFFFFFu);
}

// Creates and frees a memory context and bitmap, copying the host's picture through them.
extern "C" __attribute__((visibility("default"))) BOOL ProbeCopyThroughMemory(HDC dc, int32_t w, int32_t h) {
    const HDC mem = CreateCompatibleDC(dc);
    const HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    const HGDIOBJ old = SelectObject(mem, bmp);
    BOOL ok = BitBlt(mem, 0, 0, w, h, dc, 0, 0, SRCCOPY) && BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    ok = SelectObject(mem, old) == bmp && ok;
    ok = DeleteObject(bmp) && ok;
    return DeleteDC(mem) && ok;
}
