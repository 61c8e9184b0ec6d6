// User masks: the mask plane inside its rectangle, the default colour outside, exact scaling.
#include "LamivexTest.h"

using namespace psdtest;

namespace {

Decoded MaskedLayer(const Rect& bounds, const Rect& maskRect, uint8_t defaultColor, uint8_t flags,
                    const Bytes& alpha, const Bytes& mask, bool maskFirst = false) {
    Layer l = LayerAt(bounds);
    Channel a = RawChannel(-1, alpha);
    Channel m = RleChannel(-2, mask, maskRect.Width(), maskRect.Height());
    l.channels = maskFirst ? std::vector<Channel>{m, a} : std::vector<Channel>{a, m};
    l.maskData = MaskData(maskRect, defaultColor, flags);
    Document d = Canvas(4, 4);
    d.layers = {l, LayerAt(Rect{0, 0, 1, 1}, {RawChannel(0, Bytes{99})})};
    OpenedDocument doc(d.Build());
    EXPECT_EQ(doc.result(), LAMIVEX_OK);
    Decoded result = Decode(0);
    EXPECT_EQ(Decode(1).pixels.at(2), 99);  // the next layer's data is still found
    return result;
}

std::vector<int> Alphas(const Decoded& d) {
    std::vector<int> a;
    for (size_t i = 3; i < d.pixels.size(); i += 4)
        a.push_back(d.pixels[i]);
    return a;
}

}  // namespace

TEST(Mask, ScalingIsExactForEveryAlphaAndMaskValue) {
    // A 256 x 256 layer: alpha = column, mask = row; every product a * m is decoded once.
    Bytes alpha(256 * 256), mask(256 * 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            alpha[y * 256 + x] = static_cast<uint8_t>(x);
            mask[y * 256 + x] = static_cast<uint8_t>(y);
        }
    const Decoded d = MaskedLayer(Rect{0, 0, 256, 256}, Rect{0, 0, 256, 256}, 0, 0, alpha, mask);
    ASSERT_EQ(d.result, LAMIVEX_OK);
    int wrong = 0;
    for (int m = 0; m < 256; ++m)
        for (int a = 0; a < 256; ++a)
            wrong += d.At(a, m, 3) != a * m / 255;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(d.At(255, 128, 3), 128);
    EXPECT_EQ(d.At(200, 100, 3), 78);
}

TEST(Mask, InsideByThePlaneOutsideByTheDefaultColour) {
    const Bytes alpha = Flat(4, 3, 200);
    const Bytes mask = Flat(2, 1, 100);
    const Decoded hide = MaskedLayer(Rect{10, 10, 14, 13}, Rect{11, 11, 13, 12}, 0, 0, alpha, mask);
    ASSERT_EQ(hide.result, LAMIVEX_OK);
    EXPECT_EQ(Alphas(hide), (std::vector<int>{0, 0, 0, 0, 0, 78, 78, 0, 0, 0, 0, 0}));
    const Decoded keep = MaskedLayer(Rect{10, 10, 14, 13}, Rect{11, 11, 13, 12}, 255, 0, alpha, mask);
    EXPECT_EQ(Alphas(keep), (std::vector<int>{200, 200, 200, 200, 200, 78, 78, 200, 200, 200, 200, 200}));
}

TEST(Mask, DisjointMaskScalesEverythingByTheDefaultColour) {
    const Decoded d =
        MaskedLayer(Rect{0, 0, 2, 2}, Rect{50, 50, 52, 51}, 128, 0, Flat(2, 2, 255), Flat(2, 1, 0));
    ASSERT_EQ(d.result, LAMIVEX_OK);
    EXPECT_EQ(Alphas(d), (std::vector<int>{128, 128, 128, 128}));
}

TEST(Mask, LargerMaskIsReadFromWhereTheLayerBegins) {
    // Mask 4 x 4 at (-1, -1); layer 2 x 2 at (0, 0): the layer sees mask bytes (1,1), (2,1), (1,2), (2,2).
    const Decoded d =
        MaskedLayer(Rect{0, 0, 2, 2}, Rect{-1, -1, 3, 3}, 0, 0, Flat(2, 2, 255), Ramp(4, 4, 0, 10));
    ASSERT_EQ(d.result, LAMIVEX_OK);
    EXPECT_EQ(Alphas(d), (std::vector<int>{50, 60, 90, 100}));
}

TEST(Mask, DisabledMaskChangesNothing) {
    const Decoded d = MaskedLayer(Rect{0, 0, 2, 1}, Rect{0, 0, 1, 1}, 0, 2, Bytes{10, 20}, Bytes{0});
    ASSERT_EQ(d.result, LAMIVEX_OK);
    EXPECT_EQ(Alphas(d), (std::vector<int>{10, 20}));
}

TEST(Mask, TransparencyAfterTheMaskOverwritesIt) {
    const Decoded d = MaskedLayer(Rect{0, 0, 2, 1}, Rect{0, 0, 1, 1}, 0, 0, Bytes{10, 20}, Bytes{0}, true);
    ASSERT_EQ(d.result, LAMIVEX_OK);
    EXPECT_EQ(Alphas(d), (std::vector<int>{10, 20}));
}

TEST(Mask, InvertedMaskRectangleGives303) {
    Layer l = LayerAt(Rect{0, 0, 2, 2}, {RawChannel(0, Flat(2, 2, 1)), RawChannel(-2, Bytes(4, 0))});
    l.maskData = MaskData(Rect{5, 5, 3, 3}, 0, 0);
    Document d = Canvas(4, 4);
    d.layers = {l};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded dec = Decode(0);
    EXPECT_EQ(dec.result, LAMIVEX_OUT_OF_FILE);
    EXPECT_EQ(dec.pixels[2], 1);  // the red channel before it was delivered
}
