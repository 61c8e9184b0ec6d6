// lamivex-sample: writes the project's sample document (SampleDocument.h) to the path it is given.
#include <cstdio>
#include <cstring>

#include "SampleDocument.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(argc == 2 ? stdout : stderr,
                     "Usage: lamivex-sample OUT.psd\nWrites the sample document.\n");
        return argc == 2 ? 0 : 2;
    }
    const psdtest::Bytes bytes = lvx::sample::sampleDocument().Build();
    FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 3;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[1]);
        std::remove(argv[1]);
        return 3;
    }
    return 0;
}
