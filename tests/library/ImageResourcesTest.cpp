// The image resource walk and the layer group ids of resource 1026.
#include "LamivexTest.h"

using namespace psdtest;

namespace {

Document ThreeLayers() {
    Document d = Canvas(4, 4);
    for (int i = 0; i < 3; ++i)
        d.layers.push_back(LayerAt(Rect{0, 0, 1, 1}));
    return d;
}

std::vector<int32_t> GroupIds() {
    std::vector<int32_t> ids;
    for (int32_t i = 0; i < Lamivex_GetLayerCount(); ++i) {
        ImageInfo info{};
        info.index = i;
        EXPECT_EQ(Lamivex_GetImageInfo(&info), LAMIVEX_OK);
        ids.push_back(info.groupId);
    }
    return ids;
}

Resource Other(uint16_t id, const std::string& name, size_t size) {
    return Resource{id, name, Bytes(size, 0x42)};
}

}  // namespace

TEST(ImageResources, GroupIdsFromResource1026) {
    Document d = ThreeLayers();
    d.resources = {Other(1005, "", 16), LayerGroups({0, 1, 65535})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(GroupIds(), (std::vector<int32_t>{-1, 1, 65535}));
}

TEST(ImageResources, WithoutResource1026EveryGroupIdIsZero) {
    Document d = ThreeLayers();
    d.resources = {Other(1005, "x", 3)};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(GroupIds(), (std::vector<int32_t>{0, 0, 0}));
}

TEST(ImageResources, TooFewIdsGive301AndSurplusIsIgnored) {
    Document d = ThreeLayers();
    d.resources = {LayerGroups({1, 2})};
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_GENERIC_ERROR);
    d.resources = {LayerGroups({1, 2})};
    d.resources[0].data.push_back(7);  // five bytes: still two ids
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_GENERIC_ERROR);
    d.resources = {LayerGroups({4, 5, 6, 7, 8})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(GroupIds(), (std::vector<int32_t>{4, 5, 6}));
}

TEST(ImageResources, AnyLengthIsAcceptedWithoutLayers) {
    Document d = Canvas(2, 2);
    d.resources = {LayerGroups({})};
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_OK);
    d.resources = {Resource{1026, "", Bytes{1}}};
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_OK);
}

TEST(ImageResources, NamesAndOddSizesArePaddedToEvenLengths) {
    // Names of 0, 1, 2 and 5 bytes, odd data sizes: the walk must land on the 1026 block after them.
    Document d = ThreeLayers();
    d.resources = {Other(1000, "", 1), Other(1001, "a", 3), Other(1002, "ab", 0), Other(1003, "abcde", 7),
                   LayerGroups({9, 8, 7})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(GroupIds(), (std::vector<int32_t>{9, 8, 7}));
}

TEST(ImageResources, LaterResource1026Overwrites) {
    Document d = ThreeLayers();
    d.resources = {LayerGroups({1, 2, 3}), LayerGroups({4, 0, 6})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(GroupIds(), (std::vector<int32_t>{4, -1, 6}));
}

TEST(ImageResources, ForeignSignatureEndsTheWalk) {
    Document d = ThreeLayers();
    Resource foreign = Other(1000, "", 4);
    foreign.signature = "MeSa";
    d.resources = {foreign, LayerGroups({1, 2, 3})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(GroupIds(), (std::vector<int32_t>{0, 0, 0}));
}

TEST(ImageResources, BlockSizesThatLeaveTheFileGive303) {
    Document d = ThreeLayers();
    d.resources = {Other(1000, "", 4)};
    const Bytes good = d.Build();
    const size_t sizeField = 26 + 4 + 4 + 4 + 2 + 2;
    for (uint32_t size : {0xFFFFFFFFu, 0xFFFFFFFEu, 0x7FFFFFFFu, static_cast<uint32_t>(good.size())}) {
        Bytes b = good;
        for (int i = 0; i < 4; ++i)
            b[sizeField + i] = static_cast<uint8_t>(size >> (24 - 8 * i));
        EXPECT_EQ(OpenResult(b), LAMIVEX_OUT_OF_FILE) << size;
    }
}
