// The ImageInfo record for the whole image and for layers.
#include "LamivexTest.h"

using namespace psdtest;

TEST(ImageInfo, WholeImageForEveryNegativeIndex) {
    Document d = Canvas(7, 5);
    d.layers.push_back(LayerAt(Rect{0, 0, 1, 1}));
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    for (int32_t index : {-1, -1000, INT32_MIN}) {
        ImageInfo info;
        std::memset(&info, 0x5A, sizeof info);
        info.index = index;
        ASSERT_EQ(Lamivex_GetImageInfo(&info), LAMIVEX_OK);
        EXPECT_EQ(info.index, index);
        EXPECT_EQ(info.groupId, -1);
        EXPECT_EQ(info.bounds.left, 0);
        EXPECT_EQ(info.bounds.top, 0);
        EXPECT_EQ(info.bounds.right, 7);
        EXPECT_EQ(info.bounds.bottom, 5);
        EXPECT_EQ(std::count(info.name, info.name + 68, 0), 68);
        EXPECT_EQ(info.visible, 1);
        EXPECT_EQ(std::count(info.blendMode, info.blendMode + 8, 0), 8);
        EXPECT_EQ(info.opacity, 255);
        EXPECT_EQ(info.maskEnabled, 0);
    }
}

TEST(ImageInfo, IndexAtTheLayerCountGives311AndZeroes) {
    Document d = Canvas(2, 2);
    d.layers.push_back(LayerAt(Rect{0, 0, 1, 1}));
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    ImageInfo info;
    std::memset(&info, 0x5A, sizeof info);
    info.index = 1;
    EXPECT_EQ(Lamivex_GetImageInfo(&info), LAMIVEX_BAD_INDEX);
    EXPECT_EQ(info.index, 1);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&info);
    EXPECT_EQ(std::count(bytes + 4, bytes + sizeof info, 0), 108);
}

TEST(ImageInfo, LayerFields) {
    Document d = Canvas(10, 10);
    Layer hidden = LayerAt(Rect{-3, -2, 20, 30});
    hidden.flags = 2;
    hidden.opacity = 128;
    hidden.name = "Hidden";
    hidden.maskData = MaskData(Rect{0, 0, 1, 1}, 0, 2);
    Layer shown = LayerAt(Rect{5, 5, 5, 9});  // empty: reported as stored
    shown.flags = 8;
    shown.extraLength = 0x0123;
    d.layers = {hidden, shown};
    d.resources = {LayerGroups({0, 42})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);

    ImageInfo a{};
    a.index = 0;
    ASSERT_EQ(Lamivex_GetImageInfo(&a), LAMIVEX_OK);
    EXPECT_EQ(a.groupId, -1);
    EXPECT_EQ(a.bounds.left, -3);
    EXPECT_EQ(a.bounds.top, -2);
    EXPECT_EQ(a.bounds.right, 20);
    EXPECT_EQ(a.bounds.bottom, 30);
    EXPECT_STREQ(a.name, "Hidden");
    EXPECT_EQ(a.visible, 0);
    EXPECT_EQ(a.opacity, 128);
    EXPECT_EQ(a.maskEnabled, 0);

    ImageInfo b{};
    b.index = 1;
    ASSERT_EQ(Lamivex_GetImageInfo(&b), LAMIVEX_OK);
    EXPECT_EQ(b.groupId, 42);
    EXPECT_EQ(b.visible, 1);
    EXPECT_EQ(b.maskEnabled, 1);  // no mask data: flags 0
    EXPECT_EQ(std::memcmp(b.blendMode, "norm\0\0\x08\x23", 8), 0);
    EXPECT_EQ(b.bounds.left, 5);
    EXPECT_EQ(b.bounds.right, 5);
}
