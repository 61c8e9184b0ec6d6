#include "UmbrinoEffect.h"

#include "BlendValue.h"

namespace lvx::plugins {

uint32_t UmbrinoPassBlend(int16_t d) {
    return BlendValue(static_cast<int16_t>(128 - 40 * d));
}

void BlendDiagonal(HDC dc, int16_t w, int16_t h) {
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
    const HGDIOBJ kept = SelectObject(memory, bitmap);
    for (int16_t d = -2; d <= 4; ++d)
        AlphaBlend(memory, d, d, w, h, dc, 0, 0, w, h, UmbrinoPassBlend(d));
    BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace lvx::plugins
