// Conversions of reals to integers and decimal rounding, all with ties to even.
#include <cmath>
#include <limits>

#include "lvx/runtime.h"

namespace lvx {

namespace {

// Ties to even without relying on the floating-point environment's rounding mode. x - floor(x) is
// exact for every double, so the tie test is exact.
double roundHalfEven(double x) {
    const double down = std::floor(x);
    const double fraction = x - down;
    if (fraction > 0.5) return down + 1;
    if (fraction < 0.5) return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

template <typename Int>
Int toInteger(double x) {
    const double r = roundHalfEven(x);
    // NaN fails both comparisons and so lands here too.
    if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max())) {
        throw RuntimeError(kErrOverflow);
    }
    return static_cast<Int>(r);
}

constexpr int32_t kMaxDigits = 22;  // 10^22 is the largest power of ten a double holds exactly

}  // namespace

int16_t CInt(double x) {
    return toInteger<int16_t>(x);
}

int32_t CLng(double x) {
    return toInteger<int32_t>(x);
}

double Round(double x, int32_t digits) {
    if (digits < 0 || digits > kMaxDigits) throw RuntimeError(kErrInvalidCall);
    if (!std::isfinite(x)) return x;
    const double scale = std::pow(10.0, digits);  // exact for 0 to 22 digits
    const double p = x * scale;
    // Beyond 2^52 every double is a whole number: nothing is left to round at this scale.
    if (!(std::fabs(p) < 4503599627370496.0)) return x;
    // p is x * scale rounded to a double; error is what that rounding lost, exactly. p can only look
    // like a tie when the true product is not one, and error then says which way the true value lies.
    const double error = std::fma(x, scale, -p);
    const double down = std::floor(p);
    double r;
    if (p - down == 0.5 && error != 0) {
        r = error > 0 ? down + 1 : down;
    } else {
        r = roundHalfEven(p);
    }
    return r / scale;
}

}  // namespace lvx
