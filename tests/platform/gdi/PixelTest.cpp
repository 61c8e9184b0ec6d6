// GetPixel and SetPixel on a host's picture: byte layout, bounds and refused colours.
#include "Picture.h"

namespace lvx::gdi::test {
namespace {

using Pixels = GdiTest;

TEST_F(Pixels, ColourAndByteLayout) {
    Picture picture(2, 1);
    picture.put(0, 0, {0x11, 0x22, 0x33, 0x44});  // blue, green, red, alpha
    EXPECT_EQ(GetPixel(picture.dc(), 0, 0), 0x00112233u) << "0x00BBGGRR: red in the low byte";

    EXPECT_EQ(SetPixel(picture.dc(), 1, 0, 0x00C0B0A0u), 0x00C0B0A0u);
    EXPECT_EQ(picture.at(1, 0), (Bgra{0xC0, 0xB0, 0xA0, 0x00})) << "red 0xA0 lands in byte 2";
    SetPixel(picture.dc(), 0, 0, 0x00010203u);
    EXPECT_EQ(picture.at(0, 0), (Bgra{0x01, 0x02, 0x03, 0x44})) << "alpha kept";
}

TEST_F(Pixels, RowsFollowTheStride) {
    Picture picture(3, 3, 5);  // two pixels of padding after each row
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x)
            SetPixel(picture.dc(), x, y, static_cast<COLORREF>(y * 16 + x));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(picture.at(x, y).r, y * 16 + x);
            EXPECT_EQ(GetPixel(picture.dc(), x, y), static_cast<COLORREF>(y * 16 + x));
        }
    EXPECT_TRUE(picture.paddingIntact());
}

TEST_F(Pixels, PointsOutsideReadInvalidAndWriteNothing) {
    Picture picture(4, 3, 6);
    picture.fill([](int32_t, int32_t) { return Bgra{9, 9, 9, 9}; });
    const std::vector<uint8_t> before(picture.bytes(), picture.bytes() + 6 * 4 * 3);
    struct Point {
        int32_t x, y;
    };
    // Just beyond each edge (as the loops to w and h inclusive reach), far away, and at the limits.
    const Point outside[] = {{4, 0},         {0, 3},         {4, 3},
                             {-1, 0},        {0, -1},        {5, 1},
                             {INT32_MIN, 0}, {0, INT32_MAX}, {INT32_MAX, INT32_MAX},
                             {-32768, 2}};
    for (const Point& p : outside) {
        EXPECT_EQ(GetPixel(picture.dc(), p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
        EXPECT_EQ(SetPixel(picture.dc(), p.x, p.y, 0x000000FF), CLR_INVALID) << p.x << "," << p.y;
    }
    const std::vector<uint8_t> after(picture.bytes(), picture.bytes() + 6 * 4 * 3);
    EXPECT_EQ(after, before) << "no pixel and no padding byte changed";
    EXPECT_EQ(GetPixel(picture.dc(), 3, 2), 0x00090909u) << "the last pixel is inside";
}

TEST_F(Pixels, ValuesWithHighByteAreNotColours) {
    Picture picture(1, 1);
    picture.put(0, 0, {1, 2, 3, 4});
    for (COLORREF value : {CLR_INVALID, 0x01000000u, 0x02FFFFFFu, 0x80000000u}) {
        EXPECT_EQ(SetPixel(picture.dc(), 0, 0, value), CLR_INVALID) << std::hex << value;
        EXPECT_EQ(picture.at(0, 0), (Bgra{1, 2, 3, 4})) << std::hex << value;
    }
    // The colour read from outside, written back inside, leaves the pixel as it was.
    SetPixel(picture.dc(), 0, 0, GetPixel(picture.dc(), 1, 0));
    EXPECT_EQ(picture.at(0, 0), (Bgra{1, 2, 3, 4}));
}

TEST_F(Pixels, MemoryContextDrawsOnItsSelectedBitmap) {
    Picture picture(2, 2);
    const HDC mem = CreateCompatibleDC(picture.dc());
    const HBITMAP bmp = CreateCompatibleBitmap(picture.dc(), 3, 2);
    const HGDIOBJ old = SelectObject(mem, bmp);
    EXPECT_EQ(SetPixel(mem, 2, 1, 0x00ABCDEFu), 0x00ABCDEFu);
    EXPECT_EQ(GetPixel(mem, 2, 1), 0x00ABCDEFu);
    EXPECT_EQ(GetPixel(mem, 3, 1), CLR_INVALID);
    EXPECT_EQ(viewOf(bmp).at(2, 1), (Bgra{0xAB, 0xCD, 0xEF, 255}));
    EXPECT_EQ(GetPixel(picture.dc(), 1, 1), 0u) << "the host's picture is untouched";
    SelectObject(mem, old);
    EXPECT_EQ(GetPixel(mem, 2, 1), CLR_INVALID) << "back on the 1 x 1 default bitmap";
    DeleteObject(bmp);
    DeleteDC(mem);
}

}  // namespace
}  // namespace lvx::gdi::test
