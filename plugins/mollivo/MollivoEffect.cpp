#include "MollivoEffect.h"

#include "BlendValue.h"
#include "lvx/runtime.h"

namespace lvx::plugins {

uint32_t MollivoPassBlend(int j) {
    return BlendValue(static_cast<int16_t>(255 - 40 * j));
}

int16_t MollivoOffset(float r) {
    return lvx::CInt(2.0 * r - 1.0);
}

void BlurRepeatedly(HDC dc, int16_t w, int16_t h, int32_t n,
                    const std::function<void(int32_t i)>& repetitionDone) {
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
    const HGDIOBJ kept = SelectObject(memory, bitmap);

    BitBlt(memory, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    repetitionDone(0);
    for (int32_t i = 1; i <= n; ++i) {
        for (int j = 0; j <= 5; ++j) {
            const int16_t dx = MollivoOffset(lvx::Rnd());
            const int16_t dy = MollivoOffset(lvx::Rnd());
            AlphaBlend(memory, dx, dy, w, h, dc, 0, 0, w, h, MollivoPassBlend(j));
        }
        BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
        repetitionDone(i);
    }

    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace lvx::plugins
