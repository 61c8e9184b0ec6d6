// libFuzzer entry: every input is a document for the whole public interface.
#include <cstdio>
#include <cstdlib>

#include "Harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string problem = ExerciseDocument(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "undocumented outcome: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
