#include "Harness.h"

#include <sys/mman.h>
#include <unistd.h>

#include <set>
#include <vector>

#include "lamivex.h"

namespace {

const std::set<int32_t> kOpenCodes = {0, 1, 100, 301, 303, 305, 306, 307, 308};
const std::set<int32_t> kImageCodes = {0, 1, 301, 303, 310, 311};

// The input lives in a memory file, opened again by path for every run: no disk traffic.
const std::string& MemoryFilePath() {
    static const std::string path = [] {
        const int fd = memfd_create("lamivex-fuzz", MFD_CLOEXEC);
        return fd < 0 ? std::string() : "/proc/self/fd/" + std::to_string(fd);
    }();
    return path;
}

bool Store(const uint8_t* data, size_t size) {
    const std::string& path = MemoryFilePath();
    if (path.empty()) return false;
    const int fd = std::stoi(path.substr(path.rfind('/') + 1));
    if (ftruncate(fd, 0) != 0) return false;
    for (size_t done = 0; done < size;) {
        const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string ExerciseDocument(const uint8_t* data, size_t size, size_t maxBufferBytes) {
    if (!Store(data, size)) return "cannot store the input";
    int32_t maxDimension = 30001;
    if (size >= 4) {
        const uint8_t* t = data + size - 4;
        maxDimension =
            static_cast<int32_t>(uint32_t{t[0]} << 24 | uint32_t{t[1]} << 16 | uint32_t{t[2]} << 8 | t[3]);
    }
    Lamivex_Close();
    const int32_t opened = Lamivex_Open(MemoryFilePath().c_str(), maxDimension, 0);
    if (!kOpenCodes.count(opened)) return "Lamivex_Open gave " + std::to_string(opened);
    if (opened != LAMIVEX_OK) {
        if (Lamivex_GetLayerCount() != LAMIVEX_NOT_OPEN) return "a failed open left a document";
        return "";
    }
    const int32_t layers = Lamivex_GetLayerCount();
    if (layers < 0 || layers > 32767) return "layer count " + std::to_string(layers);
    std::vector<uint8_t> buffer;
    for (int32_t i = -1; i <= layers; ++i) {
        ImageInfo info{};
        info.index = i;
        const int32_t described = Lamivex_GetImageInfo(&info);
        if (described != (i < layers ? LAMIVEX_OK : LAMIVEX_BAD_INDEX))
            return "Lamivex_GetImageInfo gave " + std::to_string(described);
        const int64_t w = int64_t{info.bounds.right} - info.bounds.left;
        const int64_t h = int64_t{info.bounds.bottom} - info.bounds.top;
        const bool fits = w >= 0 && h >= 0 && (w == 0 || h <= static_cast<int64_t>(maxBufferBytes / 4) / w);
        const size_t bytes = fits ? static_cast<size_t>(w * h * 4) : maxBufferBytes;
        buffer.assign(bytes, 0);
        LamivexRect rect{};
        const int32_t decoded = Lamivex_GetImage(i, buffer.data(), static_cast<uint32_t>(bytes), &rect);
        if (!kImageCodes.count(decoded)) return "Lamivex_GetImage gave " + std::to_string(decoded);
        if (i == layers && decoded != LAMIVEX_BAD_INDEX)
            return "index at the layer count gave " + std::to_string(decoded);
        if (decoded != LAMIVEX_OK) continue;
        if (!fits) return "an image larger than its buffer decoded";
        LamivexRect canvas{};
        ImageInfo whole{};
        whole.index = -1;
        Lamivex_GetImageInfo(&whole);
        canvas = whole.bounds;
        if (Lamivex_UnderScan(buffer.data(), &rect, &canvas) != &rect)
            return "Lamivex_UnderScan lost its rectangle";
        if (Lamivex_Minimize(buffer.data(), &rect) != &rect) return "Lamivex_Minimize lost its rectangle";
    }
    Lamivex_Close();
    if (Lamivex_GetLayerCount() != LAMIVEX_NOT_OPEN) return "Lamivex_Close left a document";
    return "";
}
