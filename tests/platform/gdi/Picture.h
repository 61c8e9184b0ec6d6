// Test helpers: a host picture behind a device context, and a fixture that checks every test frees
// what it creates.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "lvx/gdi.h"

namespace lvx::gdi::test {

// Four pixel bytes in surface order: blue, green, red, alpha.
struct Bgra {
    uint8_t b, g, r, a;
    bool operator==(const Bgra&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Bgra& p) {
    return os << "(b " << int{p.b} << ", g " << int{p.g} << ", r " << int{p.r} << ", a " << int{p.a} << ")";
}

// Reads and writes pixels of any surface by its bytes, independently of the service's calls.
class SurfaceView {
  public:
    explicit SurfaceView(const LvxSurface& s) : s_(s) {}
    Bgra at(int32_t x, int32_t y) const {
        const uint8_t* p = s_.pixels + static_cast<ptrdiff_t>(y) * s_.stride + x * 4;
        return {p[0], p[1], p[2], p[3]};
    }
    void put(int32_t x, int32_t y, Bgra v) {
        uint8_t* p = s_.pixels + static_cast<ptrdiff_t>(y) * s_.stride + x * 4;
        p[0] = v.b;
        p[1] = v.g;
        p[2] = v.r;
        p[3] = v.a;
    }
    int32_t width() const { return s_.width; }
    int32_t height() const { return s_.height; }

  private:
    LvxSurface s_;
};

inline SurfaceView viewOf(HGDIOBJ object) {
    LvxSurface s{};
    EXPECT_TRUE(LvxGdi_GetSurface(object, &s));
    return SurfaceView(s);
}

// A host-owned picture with a device context over it; `stride` in pixels (at least width) lets a
// test leave padding at the end of each row. The padding is filled with a marker that no call may
// touch.
class Picture {
  public:
    static constexpr uint8_t kPadding = 0xA5;

    Picture(int32_t width, int32_t height, int32_t stridePixels = 0)
        : width_(width),
          height_(height),
          stride_((stridePixels > 0 ? stridePixels : width) * 4),
          bytes_(static_cast<size_t>(stride_) * height, kPadding) {
        for (int32_t y = 0; y < height; ++y)
            std::memset(&bytes_[y * stride_], 0, width * 4);
        dc_ = LvxGdi_CreateSurfaceDC(bytes_.data(), width, height, stride_);
    }
    ~Picture() { LvxGdi_ReleaseSurfaceDC(dc_); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    HDC dc() const { return dc_; }
    Bgra at(int32_t x, int32_t y) const {
        const uint8_t* p = &bytes_[y * stride_ + x * 4];
        return {p[0], p[1], p[2], p[3]};
    }
    void put(int32_t x, int32_t y, Bgra v) {
        uint8_t* p = &bytes_[y * stride_ + x * 4];
        p[0] = v.b;
        p[1] = v.g;
        p[2] = v.r;
        p[3] = v.a;
    }
    // Fills every pixel with f(x, y).
    template <typename F>
    void fill(F f) {
        for (int32_t y = 0; y < height_; ++y)
            for (int32_t x = 0; x < width_; ++x)
                put(x, y, f(x, y));
    }
    bool paddingIntact() const {
        for (int32_t y = 0; y < height_; ++y)
            for (int32_t i = width_ * 4; i < stride_; ++i)
                if (bytes_[y * stride_ + i] != kPadding) return false;
        return true;
    }
    const uint8_t* bytes() const { return bytes_.data(); }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

  private:
    int32_t width_, height_, stride_;
    std::vector<uint8_t> bytes_;
    HDC dc_ = 0;
};

// Every test must leave the table as it found it.
class GdiTest : public ::testing::Test {
  protected:
    void SetUp() override { liveAtStart_ = LvxGdi_ObjectCount(); }
    void TearDown() override { EXPECT_EQ(LvxGdi_ObjectCount(), liveAtStart_) << "objects left behind"; }
    uint32_t liveAtStart_ = 0;
};

}  // namespace lvx::gdi::test
