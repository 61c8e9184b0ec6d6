#include "Progress.h"

#include "lvx/runtime.h"

namespace lvx::plugins {

int32_t RowPercent(int32_t y, int32_t h) {
    if (h == 0) return 100;
    return lvx::CLng(lvx::Round(static_cast<double>(y) / h, 2) * 100);
}

int32_t FractionPercent(int32_t i, int32_t n) {
    return lvx::CLng(static_cast<double>(i) / n * 100);
}

std::string PercentCaption(const char* prefix, int32_t percent) {
    return prefix + lvx::FormatInteger(percent) + "%";
}

}  // namespace lvx::plugins
