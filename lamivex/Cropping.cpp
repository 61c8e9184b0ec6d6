#include "Cropping.h"

#include <algorithm>
#include <cstring>

namespace {

// Every destination lies at or before its source, so rows move front to back; a row may overlap
// itself, which memmove handles.
void MoveRows(uint8_t* buffer, int64_t stride, int64_t firstRow, int64_t rows, int64_t firstColumn,
              int64_t columns) {
    uint8_t* to = buffer;
    const size_t bytes = static_cast<size_t>(columns) * 4;
    for (int64_t y = firstRow; y < firstRow + rows; ++y) {
        std::memmove(to, buffer + (y * stride + firstColumn) * 4, bytes);
        to += bytes;
    }
}

}  // namespace

lvx::RECT* CropToRect(uint8_t* buffer, lvx::RECT* bufferRect, const lvx::RECT* clipRect) {
    const lvx::RECT old = *bufferRect;
    const lvx::RECT clip = *clipRect;
    lvx::RECT inside{};
    if (lvx::IntersectRect(&inside, &old, &clip)) {
        MoveRows(buffer, int64_t{old.right} - old.left, int64_t{inside.top} - old.top,
                 int64_t{inside.bottom} - inside.top, int64_t{inside.left} - old.left,
                 int64_t{inside.right} - inside.left);
    }
    *bufferRect = inside;
    return bufferRect;
}

lvx::RECT* TrimToOpaque(uint8_t* buffer, lvx::RECT* bufferRect) {
    const lvx::RECT old = *bufferRect;
    const int64_t w = int64_t{old.right} - old.left;
    const int64_t h = int64_t{old.bottom} - old.top;
    if (w <= 0 || h <= 0) return bufferRect;

    int64_t minX = w, maxX = -1, minY = h, maxY = -1;
    for (int64_t y = 0; y < h; ++y) {
        const uint8_t* alpha = buffer + y * w * 4 + 3;
        int64_t first = -1, last = -1;
        for (int64_t x = 0; x < w; ++x) {
            if (alpha[4 * x] > 1) {
                if (first < 0) first = x;
                last = x;
            }
        }
        if (first < 0) continue;
        minX = std::min(minX, first);
        maxX = std::max(maxX, last);
        if (minY > y) minY = y;
        maxY = y;
    }
    if (maxY < 0 || maxX - minX < 1 || maxY - minY < 1) return bufferRect;

    MoveRows(buffer, w, minY, maxY - minY + 1, minX, maxX - minX + 1);
    *bufferRect =
        lvx::RECT{static_cast<int32_t>(old.left + minX), static_cast<int32_t>(old.top + minY),
                  static_cast<int32_t>(old.left + maxX + 1), static_cast<int32_t>(old.top + maxY + 1)};
    return bufferRect;
}
