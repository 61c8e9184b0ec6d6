// A stand-in plug-in: a separately loaded module that uses the runtime, to show that the generator
// state is shared and that the runtime's error crosses module boundaries by type.
#include "lvx/runtime.h"

extern "C" __attribute__((visibility("default"))) void ProbeSeed(float seed) {
    lvx::Randomize(seed);
}

extern "C" __attribute__((visibility("default"))) float ProbeDraw() {
    return lvx::Rnd();
}

// Converts text in the module; the error, if any, leaves the module for the caller to catch.
extern "C" __attribute__((visibility("default"))) int16_t ProbeParse(const char* text) {
    return lvx::TextToInt16(text);
}
