// A host picture for the plug-in tests: w x h opaque pixels in memory with a device context over
// them, read back as colours 0x00BBGGRR.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "lvx/gdi.h"

namespace lvx::plugins::test {

class Picture {
  public:
    using Fill = std::function<uint32_t(int x, int y)>;

    Picture(int width, int height, const Fill& fill)
        : width_(width), height_(height), bytes_(size_t(width) * height * 4) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                set(x, y, fill(x, y));
        dc_ = LvxGdi_CreateSurfaceDC(bytes_.data(), width, height, width * 4);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture() { LvxGdi_ReleaseSurfaceDC(dc_); }

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

    uint32_t at(int x, int y) const {
        const uint8_t* p = &bytes_[(size_t(y) * width_ + x) * 4];
        return p[2] | p[1] << 8 | uint32_t(p[0]) << 16;
    }
    uint8_t alpha(int x, int y) const { return bytes_[(size_t(y) * width_ + x) * 4 + 3]; }
    void set(int x, int y, uint32_t colour) {
        uint8_t* p = &bytes_[(size_t(y) * width_ + x) * 4];
        p[0] = uint8_t(colour >> 16);
        p[1] = uint8_t(colour >> 8);
        p[2] = uint8_t(colour);
        p[3] = 255;
    }
    // All colours, row by row.
    std::vector<uint32_t> colours() const {
        std::vector<uint32_t> out;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                out.push_back(at(x, y));
        return out;
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

  private:
    int width_;
    int height_;
    std::vector<uint8_t> bytes_;
    HDC dc_ = 0;
};

// A picture whose every pixel differs: red, green and blue from the position.
inline uint32_t Varied(int x, int y) {
    return uint32_t((x * 37 + y * 11) & 255) | uint32_t((x * 5 + y * 71 + 40) & 255) << 8 |
           uint32_t((x * 113 + y * 3 + 90) & 255) << 16;
}

}  // namespace lvx::plugins::test
