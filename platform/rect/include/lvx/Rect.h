// Rectangle helpers of the original platform. Right and bottom are exclusive; a rectangle is empty
// when right <= left or bottom <= top.
#ifndef LVX_RECT_H
#define LVX_RECT_H

#include <algorithm>
#include <cstdint>

namespace lvx {

struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

inline bool IsRectEmpty(const RECT* r) {
    return r->right <= r->left || r->bottom <= r->top;
}

inline bool SetRect(RECT* r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    *r = RECT{left, top, right, bottom};
    return true;
}

// The common part of a and b; (0, 0, 0, 0) and false when they do not overlap or either is empty.
inline bool IntersectRect(RECT* out, const RECT* a, const RECT* b) {
    RECT i{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&i)) {
        *out = RECT{0, 0, 0, 0};
        return false;
    }
    *out = i;
    return true;
}

// Moves r by (dx, dy). Coordinates wrap as on the original platform's 32-bit arithmetic, which is
// defined here through unsigned addition.
inline bool OffsetRect(RECT* r, int32_t dx, int32_t dy) {
    auto add = [](int32_t a, int32_t b) {
        return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
    };
    r->left = add(r->left, dx);
    r->right = add(r->right, dx);
    r->top = add(r->top, dy);
    r->bottom = add(r->bottom, dy);
    return true;
}

}  // namespace lvx

#endif
