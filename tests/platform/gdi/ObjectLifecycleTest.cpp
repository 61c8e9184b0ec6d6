// Handles, creation, selection and deletion of contexts and bitmaps.
#include <algorithm>

#include "Picture.h"

namespace lvx::gdi::test {
namespace {

using Lifecycle = GdiTest;

TEST_F(Lifecycle, SurfaceContextRejectsUnusableArguments) {
    std::vector<uint8_t> memory(64 * 4);
    struct Case {
        void* pixels;
        int32_t width, height, stride;
    };
    const Case bad[] = {
        {memory.data(), -1, 4, 16},  // negative width
        {memory.data(), 4, -1, 16},  // negative height
        {memory.data(), 4, 4, 12},   // stride shorter than a row
        {memory.data(), 4, 4, 18},   // stride not a whole number of pixels
        {memory.data(), 4, 4, -16},  // bottom-up rows are not supported
        {nullptr, 4, 4, 16},         // no memory for a non-empty surface
    };
    for (const Case& c : bad) {
        EXPECT_EQ(LvxGdi_CreateSurfaceDC(c.pixels, c.width, c.height, c.stride), 0u)
            << c.width << " x " << c.height << " stride " << c.stride;
    }
    EXPECT_EQ(LvxGdi_ObjectCount(), liveAtStart_);
}

TEST_F(Lifecycle, EmptySurfaceIsValidButHasNoPixels) {
    const HDC dc = LvxGdi_CreateSurfaceDC(nullptr, 0, 0, 0);
    ASSERT_NE(dc, 0u);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_TRUE(LvxGdi_ReleaseSurfaceDC(dc));
}

TEST_F(Lifecycle, HandlesArePositiveDistinctAndOfTheirKind) {
    Picture picture(2, 2);
    const HDC mem = CreateCompatibleDC(picture.dc());
    const HBITMAP bmp = CreateCompatibleBitmap(picture.dc(), 3, 3);
    ASSERT_NE(mem, 0u);
    ASSERT_NE(bmp, 0u);
    for (uint32_t h : {picture.dc(), mem, bmp})
        EXPECT_GT(static_cast<int32_t>(h), 0) << h;
    EXPECT_NE(mem, bmp);
    EXPECT_NE(mem, picture.dc());

    // Each call accepts only its own kind of object.
    EXPECT_EQ(GetPixel(bmp, 0, 0), CLR_INVALID);
    EXPECT_EQ(SelectObject(bmp, bmp), 0u);
    EXPECT_EQ(SelectObject(mem, mem), 0u);
    EXPECT_EQ(SelectObject(picture.dc(), bmp), 0u) << "a host context holds no bitmap";
    EXPECT_FALSE(DeleteObject(mem));
    EXPECT_FALSE(DeleteDC(bmp));
    EXPECT_FALSE(DeleteDC(picture.dc())) << "the host's context is the host's to release";
    EXPECT_FALSE(LvxGdi_ReleaseSurfaceDC(mem));
    EXPECT_EQ(CreateCompatibleBitmap(bmp, 1, 1), 0u);

    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_TRUE(DeleteDC(mem));
}

TEST_F(Lifecycle, StaleAndMadeUpHandlesAreRejected) {
    Picture picture(2, 2);
    const HDC mem = CreateCompatibleDC(picture.dc());
    const HBITMAP bmp = CreateCompatibleBitmap(mem, 2, 2);
    ASSERT_TRUE(DeleteObject(bmp));
    ASSERT_TRUE(DeleteDC(mem));
    // Reuse the freed slots, so that a check on the slot index alone would be fooled.
    std::vector<HDC> fresh;
    for (int i = 0; i < 200; ++i)
        fresh.push_back(CreateCompatibleDC(0));

    EXPECT_EQ(GetPixel(mem, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(mem, 0, 0, 0x123456), CLR_INVALID);
    EXPECT_FALSE(DeleteDC(mem)) << "a second delete";
    EXPECT_FALSE(DeleteObject(bmp)) << "a second delete";
    EXPECT_EQ(CreateCompatibleDC(mem), 0u);
    EXPECT_FALSE(BitBlt(mem, 0, 0, 1, 1, picture.dc(), 0, 0, SRCCOPY));
    for (HGDIOBJ made_up : {0x00000000u, 0x0000FFFFu, 0x7FFFFFFFu, 0xFFFFFFFFu, picture.dc() ^ 0x10000u}) {
        EXPECT_EQ(GetPixel(made_up, 0, 0), CLR_INVALID) << std::hex << made_up;
        EXPECT_FALSE(DeleteObject(made_up)) << std::hex << made_up;
        EXPECT_FALSE(DeleteDC(made_up)) << std::hex << made_up;
    }
    for (HDC dc : fresh)
        EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(Lifecycle, NewMemoryContextHoldsTheOneByOneDefaultBitmap) {
    Picture picture(4, 4);
    const HDC mem = CreateCompatibleDC(picture.dc());
    ASSERT_NE(mem, 0u);
    LvxSurface s{};
    ASSERT_TRUE(LvxGdi_GetSurface(mem, &s));
    EXPECT_EQ(s.width, 1);
    EXPECT_EQ(s.height, 1);
    EXPECT_EQ(GetPixel(mem, 0, 0), 0x000000u) << "black";
    EXPECT_EQ(GetPixel(mem, 1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(mem, 0, 1), CLR_INVALID);
    // The default bitmap is shared by every new context, so nothing may draw on it.
    EXPECT_EQ(SetPixel(mem, 0, 0, 0x0000FF), CLR_INVALID);
    EXPECT_FALSE(BitBlt(mem, 0, 0, 1, 1, picture.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(AlphaBlend(mem, 0, 0, 1, 1, picture.dc(), 0, 0, 1, 1, 0x00FF0000));
    EXPECT_EQ(GetPixel(mem, 0, 0), 0x000000u);
    EXPECT_TRUE(DeleteDC(mem));
}

TEST_F(Lifecycle, SelectObjectRoundTrip) {
    Picture picture(4, 4);
    const HDC mem = CreateCompatibleDC(picture.dc());
    const HBITMAP work = CreateCompatibleBitmap(picture.dc(), 5, 3);
    const HBITMAP other = CreateCompatibleBitmap(picture.dc(), 2, 2);

    const HGDIOBJ original = SelectObject(mem, work);
    ASSERT_NE(original, 0u) << "the default bitmap comes back";
    LvxSurface s{};
    ASSERT_TRUE(LvxGdi_GetSurface(mem, &s));
    EXPECT_EQ(s.width, 5);
    EXPECT_EQ(s.height, 3);
    EXPECT_EQ(SelectObject(mem, work), work) << "selecting the selected bitmap again";
    EXPECT_EQ(SelectObject(mem, other), work);
    EXPECT_EQ(SelectObject(mem, work), other);
    EXPECT_EQ(SelectObject(mem, original), work);
    ASSERT_TRUE(LvxGdi_GetSurface(mem, &s));
    EXPECT_EQ(s.width, 1);

    // The default bitmap selected back: both bitmaps are free to be deleted.
    EXPECT_TRUE(DeleteObject(work));
    EXPECT_TRUE(DeleteObject(other));
    EXPECT_TRUE(DeleteDC(mem));
}

TEST_F(Lifecycle, DefaultBitmapIsOneStockObjectThatIsNeverFreed) {
    const HDC a = CreateCompatibleDC(0);
    const HDC b = CreateCompatibleDC(0);
    const HBITMAP work = CreateCompatibleBitmap(a, 2, 2);
    const HGDIOBJ stockA = SelectObject(a, work);
    const HGDIOBJ stockB = SelectObject(b, stockA);
    EXPECT_EQ(stockB, stockA) << "one default bitmap, in both contexts at once";
    EXPECT_TRUE(DeleteObject(stockA)) << "deleting a stock object is harmless";
    EXPECT_EQ(SelectObject(a, stockA), work) << "and it is still there";
    EXPECT_EQ(LvxGdi_ObjectCount(), liveAtStart_ + 3) << "the stock bitmap is not counted";
    EXPECT_TRUE(DeleteObject(work));
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_TRUE(DeleteDC(b));
}

TEST_F(Lifecycle, SelectedBitmapCannotBeDeletedNorSelectedTwice) {
    const HDC a = CreateCompatibleDC(0);
    const HDC b = CreateCompatibleDC(0);
    const HBITMAP work = CreateCompatibleBitmap(a, 2, 2);
    const HGDIOBJ stock = SelectObject(a, work);
    EXPECT_FALSE(DeleteObject(work)) << "still selected into a";
    EXPECT_EQ(GetPixel(a, 1, 1), 0x000000u) << "and a still draws on it";
    EXPECT_EQ(SelectObject(b, work), 0u) << "a bitmap is in one context at a time";
    EXPECT_EQ(SelectObject(a, stock), work);
    EXPECT_EQ(SelectObject(b, work), stock) << "free again after a let it go";
    EXPECT_TRUE(DeleteDC(b)) << "deleting the context deselects the bitmap";
    EXPECT_TRUE(DeleteObject(work));
    EXPECT_TRUE(DeleteDC(a));
}

TEST_F(Lifecycle, CompatibleBitmapStartsOpaqueBlack) {
    Picture picture(1, 1);
    const HBITMAP bmp = CreateCompatibleBitmap(picture.dc(), 7, 5);
    ASSERT_NE(bmp, 0u);
    const SurfaceView v = viewOf(bmp);
    ASSERT_EQ(v.width(), 7);
    ASSERT_EQ(v.height(), 5);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 7; ++x)
            EXPECT_EQ(v.at(x, y), (Bgra{0, 0, 0, 255})) << x << "," << y;
    EXPECT_TRUE(DeleteObject(bmp));
}

TEST_F(Lifecycle, CompatibleBitmapSizes) {
    Picture picture(1, 1);
    struct Case {
        int32_t w, h;
        int32_t wantW, wantH;  // 0: refused
    };
    const Case cases[] = {
        {0, 5, 1, 1},           // empty gives the smallest bitmap
        {5, 0, 1, 1},           //
        {-1, 5, 0, 0},          // negative refused
        {5, -1, 0, 0},          //
        {32768, 32768, 0, 0},   // 2^30 pixels: beyond the limit
        {0x7FFFFFFF, 2, 0, 0},  // the pixel count must not wrap
    };
    for (const Case& c : cases) {
        const HBITMAP bmp = CreateCompatibleBitmap(picture.dc(), c.w, c.h);
        if (c.wantW == 0) {
            EXPECT_EQ(bmp, 0u) << c.w << " x " << c.h;
            continue;
        }
        ASSERT_NE(bmp, 0u) << c.w << " x " << c.h;
        LvxSurface s{};
        ASSERT_TRUE(LvxGdi_GetSurface(bmp, &s));
        EXPECT_EQ(s.width, c.wantW);
        EXPECT_EQ(s.height, c.wantH);
        EXPECT_TRUE(DeleteObject(bmp));
    }
}

TEST_F(Lifecycle, CompatibleContextOfInvalidContextIsRefused) {
    EXPECT_EQ(CreateCompatibleDC(0x7FFF1234u), 0u);
    EXPECT_EQ(CreateCompatibleBitmap(0, 4, 4), 0u);
}

TEST_F(Lifecycle, ThousandCyclesLeaveTheTableEmpty) {
    Picture picture(8, 8);
    for (int i = 0; i < 1000; ++i) {
        const HDC mem = CreateCompatibleDC(picture.dc());
        const HBITMAP bmp = CreateCompatibleBitmap(picture.dc(), 8, 8);
        ASSERT_NE(mem, 0u) << "cycle " << i;
        ASSERT_NE(bmp, 0u) << "cycle " << i;
        const HGDIOBJ old = SelectObject(mem, bmp);
        ASSERT_NE(old, 0u);
        ASSERT_TRUE(BitBlt(mem, 0, 0, 8, 8, picture.dc(), 0, 0, SRCCOPY));
        ASSERT_EQ(SelectObject(mem, old), bmp);
        ASSERT_TRUE(DeleteObject(bmp));
        ASSERT_TRUE(DeleteDC(mem));
    }
    // The host's own context is the one object left, as before the loop.
    EXPECT_EQ(LvxGdi_ObjectCount(), liveAtStart_ + 1);
}

TEST_F(Lifecycle, FullTableRefusesThenRecovers) {
    // 65536 slots, one of them the stock bitmap's: creation fails cleanly once all are live, and
    // no handle of a late slot spills into the generation bits of another.
    std::vector<HDC> made;
    for (int i = 0; i < 70000; ++i) {
        const HDC dc = CreateCompatibleDC(0);
        if (dc == 0) break;
        made.push_back(dc);
    }
    EXPECT_EQ(made.size() + liveAtStart_ + 1, 65536u);
    EXPECT_EQ(CreateCompatibleBitmap(made.front(), 1, 1), 0u) << "no slot for a bitmap either";
    std::vector<HDC> sorted = made;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "handles are distinct";
    EXPECT_GT(static_cast<int32_t>(sorted.back()), 0);
    EXPECT_EQ(SetPixel(made.back(), 0, 0, 0), CLR_INVALID) << "the last context works (read-only default)";
    EXPECT_EQ(GetPixel(made.back(), 0, 0), 0u);
    for (HDC dc : made)
        ASSERT_TRUE(DeleteDC(dc));
    const HDC again = CreateCompatibleDC(0);
    EXPECT_NE(again, 0u);
    EXPECT_TRUE(DeleteDC(again));
}

TEST_F(Lifecycle, DeletingContextFirstLeavesBitmapForItsOwner) {
    const HDC mem = CreateCompatibleDC(0);
    const HBITMAP bmp = CreateCompatibleBitmap(mem, 2, 2);
    SelectObject(mem, bmp);
    EXPECT_TRUE(DeleteDC(mem));
    EXPECT_EQ(LvxGdi_ObjectCount(), liveAtStart_ + 1) << "the bitmap outlives the context";
    EXPECT_TRUE(DeleteObject(bmp));
}

}  // namespace
}  // namespace lvx::gdi::test
