// AlphaBlend: the exact integer blend, per-pixel alpha, and the values it refuses.
#include <cmath>

#include "Picture.h"

namespace lvx::gdi::test {
namespace {

using AlphaBlending = GdiTest;

uint32_t blendValue(uint32_t alpha, uint32_t format = 0) {
    return format << 24 | alpha << 16;
}

// Every source byte, target byte and constant alpha: 256 blends of a 256 x 256 block in which
// pixel (x, y) has source bytes (x, 255 - x, x, 255 - x) and target bytes (y, y, 255 - y, 255 - y),
// so each of the four bytes meets every pair of values. The result must be the real-valued
// src * a / 255 + dst * (1 - a / 255) rounded to nearest (never a tie: the value is a multiple of
// 1/255).
TEST_F(AlphaBlending, ConstantAlphaRoundsToNearestForEveryValue) {
    Picture source(256, 256);
    source.fill([](int32_t x, int32_t) {
        const uint8_t v = static_cast<uint8_t>(x), u = static_cast<uint8_t>(255 - x);
        return Bgra{v, u, v, u};
    });
    const auto targetPixel = [](int32_t, int32_t y) {
        const uint8_t v = static_cast<uint8_t>(y), u = static_cast<uint8_t>(255 - y);
        return Bgra{v, v, u, u};
    };
    Picture target(256, 256);
    long mismatches = 0;
    for (uint32_t a = 0; a < 256; ++a) {
        target.fill(targetPixel);
        ASSERT_TRUE(AlphaBlend(target.dc(), 0, 0, 256, 256, source.dc(), 0, 0, 256, 256, blendValue(a)));
        for (int32_t y = 0; y < 256; ++y) {
            for (int32_t x = 0; x < 256; ++x) {
                const Bgra s = source.at(x, y), d = targetPixel(x, y), got = target.at(x, y);
                const uint8_t sb[4] = {s.b, s.g, s.r, s.a}, db[4] = {d.b, d.g, d.r, d.a};
                const uint8_t gb[4] = {got.b, got.g, got.r, got.a};
                for (int k = 0; k < 4; ++k) {
                    const double exact = sb[k] * (a / 255.0) + db[k] * (1 - a / 255.0);
                    const int want = static_cast<int>(std::floor(exact + 0.5));
                    if (gb[k] != want && mismatches++ < 5) {
                        ADD_FAILURE() << "a " << a << " src " << int{sb[k]} << " dst " << int{db[k]}
                                      << ": got " << int{gb[k]} << ", want " << want;
                    }
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(AlphaBlending, ConstantAlphaTable) {
    struct Case {
        uint8_t src, dst, a, want;
    };
    const Case cases[] = {
        {200, 100, 255, 200},  // opaque: the source
        {200, 100, 0, 100},    // transparent: the target
        {255, 0, 128, 128},    // 128.00... -> 128
        {255, 0, 127, 127},    //
        {1, 0, 128, 1},        // 0.502 -> 1
        {1, 0, 127, 0},        // 0.498 -> 0
        {0, 255, 208, 47},     // the first pass of the diagonal blur
        {10, 20, 55, 18},      // 2.157 + 15.686 = 17.84 -> 18
        {77, 77, 99, 77},      // equal bytes stay
    };
    for (const Case& c : cases) {
        Picture source(1, 1), target(1, 1);
        source.put(0, 0, {c.src, c.src, c.src, c.src});
        target.put(0, 0, {c.dst, c.dst, c.dst, c.dst});
        ASSERT_TRUE(AlphaBlend(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, blendValue(c.a)));
        EXPECT_EQ(target.at(0, 0), (Bgra{c.want, c.want, c.want, c.want}))
            << "src " << int{c.src} << " dst " << int{c.dst} << " a " << int{c.a};
    }
}

TEST_F(AlphaBlending, PerPixelAlphaTreatsSourceAsPremultiplied) {
    struct Case {
        const char* name;
        Bgra src, dst;
        uint8_t a;
        Bgra want;
    };
    const Case cases[] = {
        {"opaque source replaces", {100, 50, 25, 255}, {9, 9, 9, 9}, 255, {100, 50, 25, 255}},
        {"transparent source keeps", {0, 0, 0, 0}, {9, 8, 7, 6}, 255, {9, 8, 7, 6}},
        // 64 + 200 * 127 / 255 = 64 + 99.6; alpha 128 + 99.6
        {"half-covered source", {64, 64, 64, 128}, {200, 200, 200, 200}, 255, {164, 164, 164, 228}},
        // the constant alpha scales the source first: 255 * 128 / 255 = 128, then 0 * ...
        {"constant alpha on an opaque source", {255, 255, 255, 255}, {0, 0, 0, 0}, 128, {128, 128, 128, 128}},
        // colour (100 * 128 + 127) / 255 = 50, sa' = 128: 50 + 200 * 127 / 255 = 50 + 100; alpha 128 + 127
        {"both alphas", {100, 100, 100, 255}, {200, 200, 200, 255}, 128, {150, 150, 150, 255}},
        {"not premultiplied saturates", {255, 255, 255, 0}, {200, 200, 200, 200}, 255, {255, 255, 255, 200}},
    };
    for (const Case& c : cases) {
        Picture source(1, 1), target(1, 1);
        source.put(0, 0, c.src);
        target.put(0, 0, c.dst);
        ASSERT_TRUE(
            AlphaBlend(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, blendValue(c.a, AC_SRC_ALPHA)))
            << c.name;
        EXPECT_EQ(target.at(0, 0), c.want) << c.name;
    }
}

TEST_F(AlphaBlending, UndefinedBlendValuesAreRefusedAndDrawNothing) {
    const uint32_t refused[] = {
        0xFFE00000,  // AlphaFormat 0xFF, as the diagonal blur's seventh pass hands it
        0x02800000,  // AlphaFormat 2
        0x00FF0001,  // BlendOp 1
        0x00FF0100,  // BlendFlags 1
    };
    Picture source(2, 2);
    source.fill([](int32_t, int32_t) { return Bgra{200, 200, 200, 200}; });
    Picture target(2, 2);
    target.fill([](int32_t, int32_t) { return Bgra{1, 2, 3, 4}; });
    for (uint32_t blend : refused) {
        EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 2, 2, blend))
            << std::hex << blend;
        for (int32_t y = 0; y < 2; ++y)
            for (int32_t x = 0; x < 2; ++x)
                EXPECT_EQ(target.at(x, y), (Bgra{1, 2, 3, 4})) << std::hex << blend;
    }
}

TEST_F(AlphaBlending, SizesAndHandlesAreChecked) {
    Picture source(2, 2), target(2, 2);
    target.fill([](int32_t, int32_t) { return Bgra{1, 2, 3, 4}; });
    source.fill([](int32_t, int32_t) { return Bgra{9, 9, 9, 9}; });
    EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 1, 1, 0x00FF0000)) << "no stretching";
    EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, -1, 2, source.dc(), 0, 0, -1, 2, 0x00FF0000));
    EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, 2, 2, 0, 0, 0, 2, 2, 0x00FF0000));
    EXPECT_FALSE(AlphaBlend(0, 0, 0, 2, 2, source.dc(), 0, 0, 2, 2, 0x00FF0000));
    EXPECT_EQ(target.at(1, 1), (Bgra{1, 2, 3, 4}));
    EXPECT_TRUE(AlphaBlend(target.dc(), 0, 0, 0, 0, source.dc(), 0, 0, 0, 0, 0x00FF0000)) << "empty is fine";
}

// A pass shifted by (1, 1), as the soft blur draws it: column 0 and row 0 keep what the memory
// surface held, the rest takes the picture moved one pixel right and down.
TEST_F(AlphaBlending, ShiftedPassOntoMemorySurface) {
    Picture picture(3, 3);
    picture.fill([](int32_t x, int32_t y) { return Bgra{static_cast<uint8_t>(10 * x + y), 0, 0, 255}; });
    const HDC mem = CreateCompatibleDC(picture.dc());
    const HBITMAP bmp = CreateCompatibleBitmap(picture.dc(), 3, 3);
    const HGDIOBJ old = SelectObject(mem, bmp);
    ASSERT_TRUE(BitBlt(mem, 0, 0, 3, 3, picture.dc(), 0, 0, SRCCOPY));
    ASSERT_TRUE(AlphaBlend(mem, 1, 1, 3, 3, picture.dc(), 0, 0, 3, 3, 0x00FF0000));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) {
            const int32_t from = (x == 0 || y == 0) ? 10 * x + y : 10 * (x - 1) + (y - 1);
            EXPECT_EQ(GetPixel(mem, x, y) >> 16, static_cast<COLORREF>(from)) << x << "," << y;
        }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

}  // namespace
}  // namespace lvx::gdi::test
