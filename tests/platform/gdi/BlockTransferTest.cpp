// BitBlt and AlphaBlend: clipping to both surfaces, overlapping blocks, refused arguments.
#include <functional>

#include "Picture.h"

namespace lvx::gdi::test {
namespace {

using BlockTransfer = GdiTest;

// Every source pixel distinct and never equal to the target's marker.
Bgra sourcePixel(int32_t x, int32_t y) {
    return {static_cast<uint8_t>(x + 1), static_cast<uint8_t>(y + 1), 0x77, 0xEE};
}
constexpr Bgra kMarker{0, 0, 0, 0};

struct Transfer {
    const char* name;
    int32_t x, y, w, h, xSrc, ySrc;
};

// Source 4 x 3, target 5 x 4 (with row padding).
const Transfer kClipCases[] = {
    {"whole source at the origin", 0, 0, 4, 3, 0, 0},
    {"negative target offset", -1, -2, 4, 3, 0, 0},
    {"negative source offset", 1, 1, 4, 3, -2, -1},
    {"past the target's right and bottom", 3, 2, 4, 3, 0, 0},
    {"block larger than both", -1, -1, 10, 10, 0, 0},
    {"shifted one right and down", 1, 1, 4, 3, 0, 0},
    {"shifted one left and up", -1, -1, 4, 3, 0, 0},
    {"source offset inside", 0, 0, 2, 2, 2, 1},
    {"entirely right of the target", 5, 0, 2, 2, 0, 0},
    {"source block beyond the source", 0, 0, 2, 2, 4, 0},
    {"zero width", 0, 0, 0, 3, 0, 0},
    {"zero height", 0, 0, 4, 0, 0, 0},
    {"target at the largest coordinate", INT32_MAX, 0, 4, 3, 0, 0},
    {"largest block", 0, 0, INT32_MAX, INT32_MAX, 0, 0},
    {"smallest offsets with the largest block", INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN,
     INT32_MIN},
};

// What the target must hold after a clipped copy, worked out for each target pixel on its own.
Bgra expectedAfterCopy(const Transfer& t, int32_t tx, int32_t ty) {
    const int64_t i = int64_t{tx} - t.x, j = int64_t{ty} - t.y;
    const int64_t sx = t.xSrc + i, sy = t.ySrc + j;
    if (i < 0 || j < 0 || i >= t.w || j >= t.h || sx < 0 || sy < 0 || sx >= 4 || sy >= 3) return kMarker;
    return sourcePixel(static_cast<int32_t>(sx), static_cast<int32_t>(sy));
}

void checkClippedCopies(const std::function<BOOL(HDC, const Transfer&, HDC)>& transfer) {
    for (const Transfer& t : kClipCases) {
        SCOPED_TRACE(t.name);
        Picture source(4, 3);
        source.fill(sourcePixel);
        Picture target(5, 4, 7);
        EXPECT_TRUE(transfer(target.dc(), t, source.dc()));
        for (int32_t ty = 0; ty < 4; ++ty)
            for (int32_t tx = 0; tx < 5; ++tx)
                EXPECT_EQ(target.at(tx, ty), expectedAfterCopy(t, tx, ty)) << "target " << tx << "," << ty;
        EXPECT_TRUE(target.paddingIntact());
    }
}

TEST_F(BlockTransfer, BitBltClipsToBothSurfaces) {
    checkClippedCopies([](HDC dst, const Transfer& t, HDC src) {
        return BitBlt(dst, t.x, t.y, t.w, t.h, src, t.xSrc, t.ySrc, SRCCOPY);
    });
}

TEST_F(BlockTransfer, OpaqueAlphaBlendClipsToBothSurfaces) {
    // Constant alpha 255 copies the source exactly, so the clipping shows as with BitBlt.
    checkClippedCopies([](HDC dst, const Transfer& t, HDC src) {
        return AlphaBlend(dst, t.x, t.y, t.w, t.h, src, t.xSrc, t.ySrc, t.w, t.h, 0x00FF0000);
    });
}

TEST_F(BlockTransfer, NegativeTargetOffsetByHand) {
    Picture source(4, 3);
    source.fill(sourcePixel);
    Picture target(5, 4);
    ASSERT_TRUE(BitBlt(target.dc(), -1, -2, 4, 3, source.dc(), 0, 0, SRCCOPY));
    // Only source row 2, columns 1 to 3, lands: in target row 0, columns 0 to 2.
    EXPECT_EQ(target.at(0, 0), sourcePixel(1, 2));
    EXPECT_EQ(target.at(2, 0), sourcePixel(3, 2));
    EXPECT_EQ(target.at(3, 0), kMarker);
    EXPECT_EQ(target.at(0, 1), kMarker);
}

TEST_F(BlockTransfer, BitBltCopiesAllFourBytes) {
    Picture source(1, 1);
    source.put(0, 0, {1, 2, 3, 4});
    Picture target(1, 1);
    ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.at(0, 0), (Bgra{1, 2, 3, 4}));
}

// A block moved within one surface must come out as if copied through a temporary copy.
TEST_F(BlockTransfer, OverlappingBlocksOfOneSurface) {
    struct Shift {
        int32_t dx, dy;
    };
    const Shift shifts[] = {{1, 1}, {-1, -1}, {2, 0}, {-2, 0}, {0, 1}, {0, -1}, {1, -1}, {-1, 1}};
    for (const bool blend : {false, true}) {
        for (const Shift& s : shifts) {
            SCOPED_TRACE(testing::Message()
                         << (blend ? "AlphaBlend" : "BitBlt") << " by " << s.dx << "," << s.dy);
            Picture picture(6, 5);
            picture.fill(sourcePixel);
            Picture original(6, 5);
            original.fill(sourcePixel);
            // Move the 4 x 3 block at (1, 1) by the shift.
            const BOOL ok =
                blend
                    ? AlphaBlend(picture.dc(), 1 + s.dx, 1 + s.dy, 4, 3, picture.dc(), 1, 1, 4, 3, 0x00FF0000)
                    : BitBlt(picture.dc(), 1 + s.dx, 1 + s.dy, 4, 3, picture.dc(), 1, 1, SRCCOPY);
            ASSERT_TRUE(ok);
            for (int32_t y = 0; y < 5; ++y)
                for (int32_t x = 0; x < 6; ++x) {
                    const int32_t i = x - 1 - s.dx, j = y - 1 - s.dy;
                    const bool moved = i >= 0 && i < 4 && j >= 0 && j < 3;
                    EXPECT_EQ(picture.at(x, y), moved ? original.at(1 + i, 1 + j) : original.at(x, y))
                        << x << "," << y;
                }
        }
    }
}

TEST_F(BlockTransfer, BitBltRefusals) {
    Picture source(2, 2);
    source.fill(sourcePixel);
    Picture target(2, 2);
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 0x00EE0086)) << "SRCPAINT is not known";
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, -2, 2, source.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, -2, source.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 2, 0, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(0, 0, 0, 2, 2, source.dc(), 0, 0, SRCCOPY));
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 2; ++x)
            EXPECT_EQ(target.at(x, y), kMarker);
}

}  // namespace
}  // namespace lvx::gdi::test
