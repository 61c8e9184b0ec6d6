// Decoding speed: a large layered document (run-length and raw variants) decoded layer by layer into
// caller buffers, against a plain memcpy of the same number of output bytes.
//
//   build/bin/lamivex_decode_bench [--small]
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "PsdBuilder.h"
#include "lamivex.h"

using namespace psdtest;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Realistic content: a gradient, flat areas, and a band of noise.
Bytes Content(int32_t w, int32_t h, uint32_t seed) {
    Bytes plane(static_cast<size_t>(w) * h);
    std::mt19937 random(seed);
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = plane.data() + static_cast<size_t>(y) * w;
        for (int32_t x = 0; x < w; ++x) {
            if (y < h / 3)
                row[x] = static_cast<uint8_t>((x * 255) / std::max(1, w - 1) + seed);
            else if (y < 2 * h / 3)
                row[x] = static_cast<uint8_t>(((x / 64 + y / 64) % 4) * 60 + seed);
            else
                row[x] = static_cast<uint8_t>(random());
        }
    }
    return plane;
}

Document LargeDocument(uint16_t compression, int32_t W, int32_t H) {
    Document d;
    d.width = static_cast<uint32_t>(W);
    d.height = static_cast<uint32_t>(H);
    d.channelCount = 4;
    d.mergedCompression = compression;
    for (uint32_t k = 0; k < 4; ++k)
        d.mergedPlanes.push_back(Content(W, H, 11 * k + 1));
    for (int i = 0; i < 8; ++i) {
        const int32_t w = W * (8 - i) / 8, h = H * (4 + i % 4) / 8;
        const int32_t left = (W - w) / 2 - 100 * i, top = (H - h) / 3;
        Layer l = LayerAt(Rect{left, top, left + w, top + h}, {}, "layer " + std::to_string(i));
        for (int16_t id : {-1, 0, 1, 2}) {
            const Bytes plane = Content(w, h, static_cast<uint32_t>(i * 7 + id + 3));
            l.channels.push_back(compression == 0 ? RawChannel(id, plane) : RleChannel(id, plane, w, h));
        }
        d.layers.push_back(std::move(l));
    }
    return d;
}

struct Run {
    double open = 0;
    double decode = 0;
    uint64_t bytes = 0;
};

Run DecodeAll(const char* path, std::vector<std::vector<uint8_t>>& buffers, bool fresh) {
    Run run;
    auto start = Clock::now();
    if (Lamivex_Open(path, 30001, 0) != LAMIVEX_OK) {
        std::fprintf(stderr, "cannot open the benchmark document\n");
        std::exit(1);
    }
    run.open = Seconds(start);
    const int32_t layers = Lamivex_GetLayerCount();
    buffers.resize(static_cast<size_t>(layers) + 1);
    std::vector<ImageInfo> infos(static_cast<size_t>(layers) + 1);
    for (int32_t i = -1; i < layers; ++i) {
        ImageInfo& info = infos[static_cast<size_t>(i + 1)];
        info.index = i;
        Lamivex_GetImageInfo(&info);
        const size_t size = static_cast<size_t>(info.bounds.right - info.bounds.left) *
                            static_cast<size_t>(info.bounds.bottom - info.bounds.top) * 4;
        std::vector<uint8_t>& b = buffers[static_cast<size_t>(i + 1)];
        if (fresh) {
            std::vector<uint8_t>().swap(b);
            b = std::vector<uint8_t>();
            b.reserve(size);  // untouched pages: the decode pays their faults
        } else if (b.size() != size) {
            b.assign(size, 0);
        }
        run.bytes += size;
    }
    start = Clock::now();
    for (int32_t i = -1; i < layers; ++i) {
        std::vector<uint8_t>& b = buffers[static_cast<size_t>(i + 1)];
        const size_t size = fresh ? b.capacity() : b.size();
        LamivexRect rect{};
        if (Lamivex_GetImage(i, b.data(), static_cast<uint32_t>(size), &rect) != LAMIVEX_OK) {
            std::fprintf(stderr, "decode of image %d failed\n", i);
            std::exit(1);
        }
    }
    run.decode = Seconds(start);
    Lamivex_Close();
    return run;
}

double MemcpyTime(uint64_t bytes) {
    std::vector<uint8_t> from(bytes, 1), to(bytes, 2);
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        auto start = Clock::now();
        std::memcpy(to.data(), from.data(), bytes);
        best = std::min(best, Seconds(start));
    }
    if (to[bytes / 2] != 1) std::printf(" ");
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
    const int32_t W = small ? 600 : 6000, H = small ? 400 : 4000;
    std::printf("document: %d x %d, 8 RGBA layers of different sizes plus a 4-channel merged image\n", W, H);
    for (uint16_t compression : {1, 0}) {
        const Bytes bytes = LargeDocument(compression, W, H).Build();
        TempFile file(bytes);
        std::vector<std::vector<uint8_t>> buffers;
        const Run fresh = DecodeAll(file.path(), buffers, true);
        DecodeAll(file.path(), buffers, false);  // allocate and touch the buffers once
        Run best{1e9, 1e9, 0};
        for (int i = 0; i < 3; ++i) {
            const Run r = DecodeAll(file.path(), buffers, false);
            best.open = std::min(best.open, r.open);
            best.decode = std::min(best.decode, r.decode);
            best.bytes = r.bytes;
        }
        const double copy = MemcpyTime(best.bytes);
        std::printf(
            "%-4s file %7.1f MB, output %7.1f MB: open %.3f ms, decode %.3f s = %6.0f MB/s, "
            "memcpy %.3f s, ratio %.2fx (fresh buffers: %.3f s, %.2fx)\n",
            compression ? "RLE" : "raw", bytes.size() / 1e6, best.bytes / 1e6, best.open * 1e3, best.decode,
            best.bytes / 1e6 / best.decode, copy, best.decode / copy, fresh.decode, fresh.decode / copy);
    }
    return 0;
}
