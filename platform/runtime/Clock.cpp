// Seconds since midnight, from the system's clock or fixed by the host.
#include <chrono>
#include <ctime>

#include "lvx/runtime.h"

namespace lvx {

namespace {

constexpr float kSecondsPerDay = 86400.0f;

bool g_fixed = false;
float g_fixedSeconds = 0;

float systemSecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const double fraction =
        duration<double>(now.time_since_epoch()).count() - duration<double>(seconds(t)).count();
    const double s = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
    const float f = static_cast<float>(s);
    // Near midnight the single-precision value can round up to a whole day; keep it below.
    return f < kSecondsPerDay ? f : 0.0f;
}

}  // namespace

float Timer() {
    return g_fixed ? g_fixedSeconds : systemSecondsSinceMidnight();
}

void SetFixedClock(float seconds) {
    if (!(seconds >= 0 && seconds < kSecondsPerDay)) throw RuntimeError(kErrInvalidCall);
    g_fixed = true;
    g_fixedSeconds = seconds;
}

void UseSystemClock() {
    g_fixed = false;
}

}  // namespace lvx
