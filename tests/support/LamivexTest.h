// Helpers shared by the library's tests: open a built document through the exports, decode an image.
#ifndef LAMIVEX_TESTS_LAMIVEXTEST_H
#define LAMIVEX_TESTS_LAMIVEXTEST_H

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "PsdBuilder.h"
#include "lamivex.h"

namespace psdtest {

// Writes the document to a temporary file and opens it; closes whatever is open first.
class OpenedDocument {
  public:
    explicit OpenedDocument(const Bytes& bytes, int32_t maxDimension = 30001)
        : file_(std::make_unique<TempFile>(bytes)) {
        Lamivex_Close();
        result_ = Lamivex_Open(file_->path(), maxDimension, 0);
    }
    ~OpenedDocument() { Lamivex_Close(); }
    int32_t result() const { return result_; }
    const char* path() const { return file_->path(); }

  private:
    std::unique_ptr<TempFile> file_;
    int32_t result_;
};

// Opens bytes and returns the result code, leaving nothing open.
inline int32_t OpenResult(const Bytes& bytes, int32_t maxDimension = 30001) {
    OpenedDocument doc(bytes, maxDimension);
    return doc.result();
}

struct Decoded {
    int32_t result = -1;
    LamivexRect rect{};
    std::vector<uint8_t> pixels;  // BGRA
    uint8_t At(int32_t x, int32_t y, int lane) const {
        const int32_t w = rect.right - rect.left;
        return pixels[(static_cast<size_t>(y - rect.top) * w + (x - rect.left)) * 4 + lane];
    }
};

// Asks for the image's rectangle, allocates exactly its size and decodes it.
inline Decoded Decode(int32_t index) {
    Decoded d;
    ImageInfo info{};
    info.index = index;
    if (Lamivex_GetImageInfo(&info) != LAMIVEX_OK) return d;
    const int64_t w = int64_t{info.bounds.right} - info.bounds.left;
    const int64_t h = int64_t{info.bounds.bottom} - info.bounds.top;
    d.pixels.assign(static_cast<size_t>(w > 0 && h > 0 ? w * h * 4 : 0), 0);
    d.result = Lamivex_GetImage(index, d.pixels.data(), static_cast<uint32_t>(d.pixels.size()), &d.rect);
    return d;
}

}  // namespace psdtest

#endif
