// Test helper: the number of the runtime error a call throws.
#pragma once

#include <gtest/gtest.h>

#include "lvx/runtime.h"

namespace lvx::test {

// 0 when `call` returns normally; the error's number when it throws RuntimeError.
template <typename F>
int32_t errorNumberOf(F call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace lvx::test
