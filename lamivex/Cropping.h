// In-place cropping of caller buffers; no document involved.
#ifndef LAMIVEX_CROPPING_H
#define LAMIVEX_CROPPING_H

#include <cstdint>

#include "lvx/Rect.h"

// Moves the part of buffer (covering *bufferRect) inside *clipRect to the buffer's start and sets
// *bufferRect to that part ((0, 0, 0, 0) when there is none). An inverted rectangle counts as empty.
lvx::RECT* CropToRect(uint8_t* buffer, lvx::RECT* bufferRect, const lvx::RECT* clipRect);

// Moves the bounding box of the pixels with alpha above 1 to the buffer's start and sets *bufferRect to
// it, when those pixels span at least two columns and two rows; otherwise changes nothing.
lvx::RECT* TrimToOpaque(uint8_t* buffer, lvx::RECT* bufferRect);

#endif
