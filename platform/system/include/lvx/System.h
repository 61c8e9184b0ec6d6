// String copy and processor yield of the original platform.
#ifndef LVX_SYSTEM_H
#define LVX_SYSTEM_H

#include <sched.h>
#include <time.h>

#include <cstdint>
#include <cstring>

namespace lvx {

// Copies the NUL-terminated string src, NUL included, to dst; returns dst. The caller guarantees room.
inline char* lstrcpyA(char* dst, const char* src) {
    return static_cast<char*>(std::memcpy(dst, src, std::strlen(src) + 1));
}

// Sleep(0) gives up the rest of the time slice; other values sleep that many milliseconds.
inline void Sleep(uint32_t milliseconds) {
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    timespec ts{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

}  // namespace lvx

#endif
