// In-place cropping to a clip rectangle and trimming to the visible pixels.
#include "LamivexTest.h"

using namespace psdtest;

namespace {

// A buffer over rect whose pixel (x, y) holds x, y, a marker and the given alpha.
std::vector<uint32_t> Tagged(const LamivexRect& r, uint8_t alpha = 255) {
    std::vector<uint32_t> px;
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            px.push_back(static_cast<uint32_t>(static_cast<uint8_t>(x)) |
                         static_cast<uint32_t>(static_cast<uint8_t>(y)) << 8 | 0x5A0000u |
                         uint32_t{alpha} << 24);
    return px;
}

uint32_t Tag(int32_t x, int32_t y, uint8_t alpha = 255) {
    return static_cast<uint32_t>(static_cast<uint8_t>(x)) |
           static_cast<uint32_t>(static_cast<uint8_t>(y)) << 8 | 0x5A0000u | uint32_t{alpha} << 24;
}

bool Same(const LamivexRect& a, const LamivexRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(UnderScan, CropsAnOffCanvasLayerToTheCanvas) {
    LamivexRect rect{-10, -5, 90, 45};
    std::vector<uint32_t> px = Tagged(rect);
    const LamivexRect canvas{0, 0, 50, 30};
    EXPECT_EQ(Lamivex_UnderScan(px.data(), &rect, &canvas), &rect);
    EXPECT_TRUE(Same(rect, canvas));
    int wrong = 0;
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 50; ++x)
            wrong += px[static_cast<size_t>(y) * 50 + x] != Tag(x, y);
    EXPECT_EQ(wrong, 0);
}

TEST(UnderScan, ContainedRectChangesNothing) {
    LamivexRect rect{3, 4, 9, 8};
    std::vector<uint32_t> px = Tagged(rect);
    const std::vector<uint32_t> before = px;
    const LamivexRect clip{0, 0, 100, 100};
    Lamivex_UnderScan(px.data(), &rect, &clip);
    EXPECT_TRUE(Same(rect, LamivexRect{3, 4, 9, 8}));
    EXPECT_EQ(px, before);
}

TEST(UnderScan, NoOverlapGivesAnEmptyRectAndTouchesNothing) {
    const LamivexRect cases[] = {{60, 60, 70, 70}, {5, 5, 5, 10}, {9, 9, 2, 2}};
    for (LamivexRect rect : cases) {
        std::vector<uint32_t> px(16, 0x12345678);
        const LamivexRect clip{0, 0, 50, 50};
        const LamivexRect* rectIn = &rect;
        EXPECT_EQ(Lamivex_UnderScan(px.data(), &rect, &clip), rectIn);
        EXPECT_TRUE(Same(rect, LamivexRect{0, 0, 0, 0}));
        EXPECT_EQ(std::count(px.begin(), px.end(), 0x12345678u), 16);
    }
}

TEST(UnderScan, OverlappingRowMovesCopyForward) {
    // Clip drops the first column only: each row moves left by one pixel onto itself.
    LamivexRect rect{0, 0, 300, 3};
    std::vector<uint32_t> px = Tagged(rect);
    const LamivexRect clip{1, 0, 300, 3};
    Lamivex_UnderScan(px.data(), &rect, &clip);
    int wrong = 0;
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 1; x < 300; ++x)
            wrong += px[static_cast<size_t>(y) * 299 + (x - 1)] != Tag(x, y);
    EXPECT_EQ(wrong, 0);
}

TEST(Minimize, TrimsToTheVisibleBlock) {
    LamivexRect rect{0, 0, 10, 12};
    std::vector<uint32_t> px = Tagged(rect, 1);  // alpha 1 counts as empty
    for (int32_t y : {7, 8})
        for (int32_t x : {3, 4})
            px[static_cast<size_t>(y) * 10 + x] = Tag(x, y, 2);
    EXPECT_EQ(Lamivex_Minimize(px.data(), &rect), &rect);
    EXPECT_TRUE(Same(rect, LamivexRect{3, 7, 5, 9}));
    EXPECT_EQ(px[0], Tag(3, 7, 2));
    EXPECT_EQ(px[1], Tag(4, 7, 2));
    EXPECT_EQ(px[2], Tag(3, 8, 2));
    EXPECT_EQ(px[3], Tag(4, 8, 2));
}

TEST(Minimize, NothingChangesUnlessTwoColumnsAndTwoRowsQualify) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> visible;
    };
    const Case cases[] = {{"none", {}},
                          {"one pixel", {{2, 2}}},
                          {"one column", {{2, 1}, {2, 3}}},
                          {"one row", {{1, 2}, {3, 2}}},
                          {"corners: already tight", {{0, 0}, {5, 4}}}};
    for (const Case& c : cases) {
        LamivexRect rect{10, 20, 16, 25};
        std::vector<uint32_t> px(30, 0x00FFFFFF);
        for (auto [x, y] : c.visible)
            px[static_cast<size_t>(y) * 6 + x] = 0xFF000000;
        const std::vector<uint32_t> before = px;
        Lamivex_Minimize(px.data(), &rect);
        EXPECT_TRUE(Same(rect, LamivexRect{10, 20, 16, 25})) << c.what;
        EXPECT_EQ(px, before) << c.what;
    }
    LamivexRect empty{4, 4, 4, 9};
    uint32_t one = 0xFFFFFFFF;
    Lamivex_Minimize(&one, &empty);
    EXPECT_TRUE(Same(empty, LamivexRect{4, 4, 4, 9}));
    LamivexRect inverted{9, 9, 4, 4};
    Lamivex_Minimize(&one, &inverted);
    EXPECT_TRUE(Same(inverted, LamivexRect{9, 9, 4, 4}));
}

TEST(Crop, DecodedLayerCroppedToTheCanvasAndTrimmed) {
    Document d = Canvas(4, 4);
    Bytes alpha = Flat(6, 6, 0);
    alpha[2 * 6 + 2] = alpha[2 * 6 + 3] = alpha[3 * 6 + 2] = alpha[3 * 6 + 3] = 255;
    d.layers = {LayerAt(Rect{-2, -2, 4, 4}, {RawChannel(-1, alpha), RawChannel(0, Ramp(6, 6, 0))})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    Decoded dec = Decode(0);
    ASSERT_EQ(dec.result, LAMIVEX_OK);
    const LamivexRect canvas{0, 0, 4, 4};
    Lamivex_UnderScan(dec.pixels.data(), &dec.rect, &canvas);
    EXPECT_TRUE(Same(dec.rect, canvas));
    Lamivex_Minimize(dec.pixels.data(), &dec.rect);
    EXPECT_TRUE(Same(dec.rect, LamivexRect{0, 0, 2, 2}));
    EXPECT_EQ(dec.pixels[2], 14);   // ramp value of layer pixel (2, 2)
    EXPECT_EQ(dec.pixels[14], 21);  // (3, 3)
}
