// The export frame and the single document slot.
#include "LamivexTest.h"

using namespace psdtest;

TEST(Exports, VersionIs103WithAndWithoutADocument) {
    Lamivex_Close();
    EXPECT_EQ(Lamivex_GetVersion(), 103);
    OpenedDocument doc(Canvas(4, 3).Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(Lamivex_GetVersion(), 103);
}

TEST(Exports, WithoutADocumentEveryDocumentExportAnswers309AndWritesNothing) {
    Lamivex_Close();
    EXPECT_EQ(Lamivex_GetLayerCount(), LAMIVEX_NOT_OPEN);
    ImageInfo info;
    std::memset(&info, 0xAB, sizeof info);
    EXPECT_EQ(Lamivex_GetImageInfo(&info), LAMIVEX_NOT_OPEN);
    for (size_t i = 0; i < sizeof info; ++i)
        ASSERT_EQ(reinterpret_cast<uint8_t*>(&info)[i], 0xAB);
    uint8_t buffer[16];
    std::memset(buffer, 0x11, sizeof buffer);
    LamivexRect rect{1, 2, 3, 4};
    EXPECT_EQ(Lamivex_GetImage(-1, buffer, sizeof buffer, &rect), LAMIVEX_NOT_OPEN);
    EXPECT_EQ(buffer[0], 0x11);
    EXPECT_EQ(rect.left, 1);
    Lamivex_Close();  // nothing to do, twice
    Lamivex_Close();
}

TEST(Exports, SecondOpenAnswers304AndKeepsTheFirstDocument) {
    Document first = Canvas(4, 3);
    first.layers.push_back(LayerAt(Rect{0, 0, 1, 1}));
    OpenedDocument doc(first.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    TempFile other(Canvas(9, 9).Build());
    EXPECT_EQ(Lamivex_Open(other.path(), 30001, 0), LAMIVEX_ALREADY_OPEN);
    EXPECT_EQ(Lamivex_GetLayerCount(), 1);
    ImageInfo info{};
    info.index = -1;
    ASSERT_EQ(Lamivex_GetImageInfo(&info), LAMIVEX_OK);
    EXPECT_EQ(info.bounds.right, 4);
}

TEST(Exports, FailedOpenLeavesTheSlotEmpty) {
    Lamivex_Close();
    EXPECT_EQ(Lamivex_Open("/nonexistent/lamivex/file.psd", 30001, 0), LAMIVEX_FILE_ERROR);
    EXPECT_EQ(Lamivex_GetLayerCount(), LAMIVEX_NOT_OPEN);
    TempFile text(Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
    EXPECT_EQ(Lamivex_Open(text.path(), 30001, 0), LAMIVEX_OUT_OF_FILE);
    EXPECT_EQ(Lamivex_GetLayerCount(), LAMIVEX_NOT_OPEN);
    TempFile good(Canvas(2, 2).Build());
    EXPECT_EQ(Lamivex_Open(good.path(), 30001, 0), LAMIVEX_OK);
    EXPECT_EQ(Lamivex_GetLayerCount(), 0);
    Lamivex_Close();
    EXPECT_EQ(Lamivex_GetLayerCount(), LAMIVEX_NOT_OPEN);
}

TEST(Exports, ReservedArgumentHasNoEffect) {
    TempFile good(Canvas(2, 2).Build());
    for (int32_t reserved : {0, 1, -1, INT32_MIN, INT32_MAX}) {
        Lamivex_Close();
        EXPECT_EQ(Lamivex_Open(good.path(), 30001, reserved), LAMIVEX_OK) << reserved;
        Lamivex_Close();
    }
}

TEST(Exports, NullArgumentsGiveCodesNotCrashes) {
    Lamivex_Close();
    EXPECT_EQ(Lamivex_Open(nullptr, 30001, 0), LAMIVEX_FILE_ERROR);
    OpenedDocument doc(Canvas(2, 2).Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(Lamivex_GetImageInfo(nullptr), LAMIVEX_UNSUPPORTED);
    uint8_t buffer[16];
    EXPECT_EQ(Lamivex_GetImage(-1, buffer, sizeof buffer, nullptr), LAMIVEX_UNSUPPORTED);
    LamivexRect rect{0, 0, 2, 2};
    EXPECT_EQ(Lamivex_GetImage(-1, nullptr, 16, &rect), LAMIVEX_UNSUPPORTED);
    EXPECT_EQ(Lamivex_UnderScan(nullptr, &rect, &rect), &rect);
    EXPECT_EQ(Lamivex_Minimize(nullptr, nullptr), nullptr);
}
