#include "PsdDecomp.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

constexpr int32_t kCorruptRle = 310;

// The scratch buffer of the whole process: created empty when the library is loaded, freed when it is
// unloaded, only ever grown. calloc gives zeroed pages without touching them, so a large buffer costs
// memory only where planes are actually decoded.
class ScratchBuffer {
  public:
    ScratchBuffer() = default;
    ~ScratchBuffer() { std::free(bytes); }
    ScratchBuffer(const ScratchBuffer&) = delete;
    ScratchBuffer& operator=(const ScratchBuffer&) = delete;

    void Grow(size_t wanted) {
        if (wanted <= size) return;
        auto* grown = static_cast<uint8_t*>(std::calloc(wanted, 1));
        if (grown == nullptr) throw std::bad_alloc();
        if (size != 0) std::memcpy(grown, bytes, size);
        std::free(bytes);
        bytes = grown;
        size = wanted;
    }

    uint8_t* bytes = nullptr;
    size_t size = 0;
};

ScratchBuffer scratch;

uint8_t* Start() {
    if (scratch.size == 0) throw std::out_of_range("invalid vector<T> subscript");
    return scratch.bytes;
}

}  // namespace

uint8_t* CZanPsdDecomp::GetBuffer() const {
    return Start();
}

void CZanPsdDecomp::SetBufferSize(int64_t area) {
    scratch.Grow(static_cast<size_t>(area < 1 ? 1 : area));
}

size_t CZanPsdDecomp::BufferSize() {
    return scratch.size;
}

void CZanPsdDecomp::DecodeRow(const uint8_t* in, size_t count, int64_t width, uint8_t* out) {
    const uint8_t* end = in + count;
    int64_t written = 0;
    while (in < end) {
        const uint8_t h = *in++;
        if (h < 128) {
            const int64_t n = int64_t{h} + 1;
            // A literal that would take bytes of the next row is as corrupt as one that overflows.
            if (written + n > width || n > end - in) throw CZanPsdDecompException{kCorruptRle};
            std::memcpy(out, in, static_cast<size_t>(n));
            in += n;
            out += n;
            written += n;
        } else if (h == 128) {
            break;
        } else {
            const int64_t n = 257 - int64_t{h};
            if (written + n > width || in == end) throw CZanPsdDecompException{kCorruptRle};
            std::memset(out, *in, static_cast<size_t>(n));
            in += 1;
            out += n;
            written += n;
        }
    }
    if (written != width) throw CZanPsdDecompException{kCorruptRle};
}

void CZanPsdDecomp::DecodeRle(ChannelCursor& cursor) const {
    uint8_t* out = Start();
    const int64_t width = int64_t{cursor.rect.right} - cursor.rect.left;
    const int64_t height = int64_t{cursor.rect.bottom} - cursor.rect.top;
    if (height <= 0) return;

    const uint8_t* counts = cursor.position;
    const uint8_t* row = cursor.data;
    const auto limit = reinterpret_cast<uintptr_t>(cursor.limit);
    for (int64_t y = 0; y < height; ++y) {
        const size_t count = size_t{counts[0]} << 8 | counts[1];
        counts += 2;
        // A row's stored bytes must lie inside the file: a damaged count is corrupt data, not a reason
        // to read past the mapping.
        if (reinterpret_cast<uintptr_t>(row) > limit || count > limit - reinterpret_cast<uintptr_t>(row))
            throw CZanPsdDecompException{kCorruptRle};
        DecodeRow(row, count, width, out);
        out += width;
        row += count;
    }
    cursor.position = counts;
    cursor.data = row;
}

void CZanPsdDecomp::DecodeRaw(ChannelCursor& cursor) const {
    uint8_t* out = Start();
    const int64_t width = int64_t{cursor.rect.right} - cursor.rect.left;
    const int64_t height = int64_t{cursor.rect.bottom} - cursor.rect.top;
    // Two negative extents must not multiply into a positive size.
    const int64_t n = (width > 0 && height > 0) ? width * height : 0;
    if (n > 0) {
        std::memcpy(out, cursor.position, static_cast<size_t>(n));
        cursor.position += n;
    }
    cursor.data = cursor.position;
}
