// The whole percentages the effects write into the dialog's caption.
#pragma once
#include <cstdint>
#include <string>

namespace lvx::plugins {

// Progress after row y of rows 0..h: Round(y / h, 2) x 100, the quotient rounded to two decimals
// (ties to even), so h = 8 gives 12 after row 1. With h = 0 the only row is the whole picture and
// counts as 100 (the quotient 0 / 0 has no value to show).
int32_t RowPercent(int32_t y, int32_t h);

// Progress after repetition i of n: i / n x 100 rounded to nearest, ties to even (n = 8 gives 12, 25,
// 38, 50, 62, 75, 88, 100). n must not be 0 (no repetition runs then).
int32_t FractionPercent(int32_t i, int32_t n);

// prefix + the number + "%".
std::string PercentCaption(const char* prefix, int32_t percent);

}  // namespace lvx::plugins
