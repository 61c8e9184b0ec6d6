// The key filter of the numeric text boxes: digits and backspace pass, every other character is
// discarded (its code replaced by 0).
#pragma once
#include <cstdint>

namespace lvx::plugins {

inline void DigitFilter(int16_t& keyCode) {
    if (!(keyCode >= 48 && keyCode <= 57) && keyCode != 8) keyCode = 0;
}

}  // namespace lvx::plugins
