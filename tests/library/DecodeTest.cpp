// Decoding layers and the merged image: lanes, run-length rows, buffer checks, damaged data.
#include "LamivexTest.h"

using namespace psdtest;

namespace {

// One layer of the given bounds and channels over a 4 x 4 canvas.
Bytes OneLayer(const Rect& bounds, std::vector<Channel> channels, Bytes mask = {}) {
    Document d = Canvas(4, 4);
    Layer l = LayerAt(bounds, std::move(channels));
    l.maskData = std::move(mask);
    d.layers = {l};
    return d.Build();
}

// A channel whose stored bytes after the compression code are given literally.
Channel Stored(int16_t id, uint16_t compression, Bytes payload) {
    return Channel{id, compression, std::move(payload), {}};
}

Bytes RleRows(std::initializer_list<Bytes> rows) {
    Bytes counts, data;
    for (const Bytes& r : rows) {
        Put16(counts, static_cast<uint16_t>(r.size()));
        PutBytes(data, r);
    }
    PutBytes(counts, data);
    return counts;
}

}  // namespace

TEST(Decode, LayerChannelsFillTheirLanes) {
    const Rect bounds{-1, -2, 2, 1};  // partly outside the canvas
    OpenedDocument doc(OneLayer(bounds, {RawChannel(-1, Ramp(3, 3, 200)), RleChannel(0, Ramp(3, 3, 10), 3, 3),
                                         RawChannel(1, Ramp(3, 3, 50)), RleChannel(2, Flat(3, 3, 7), 3, 3)}));
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded d = Decode(0);
    ASSERT_EQ(d.result, LAMIVEX_OK);
    EXPECT_EQ(d.rect.left, -1);
    EXPECT_EQ(d.rect.top, -2);
    EXPECT_EQ(d.rect.right, 2);
    EXPECT_EQ(d.rect.bottom, 1);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(d.pixels[4 * i + 0], 7);
        EXPECT_EQ(d.pixels[4 * i + 1], 50 + i);
        EXPECT_EQ(d.pixels[4 * i + 2], 10 + i);
        EXPECT_EQ(d.pixels[4 * i + 3], 200 + i);
    }
}

TEST(Decode, MissingChannelsStayOpaqueWhite) {
    OpenedDocument doc(OneLayer(Rect{0, 0, 2, 2}, {RawChannel(0, Flat(2, 2, 9))}));
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded d = Decode(0);
    ASSERT_EQ(d.result, LAMIVEX_OK);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ((std::vector<int>{d.pixels[4 * i], d.pixels[4 * i + 1], d.pixels[4 * i + 2],
                                    d.pixels[4 * i + 3]}),
                  (std::vector<int>{255, 255, 9, 255}));
}

TEST(Decode, LayerWithoutChannelsAndEmptyLayers) {
    Document d = Canvas(4, 4);
    d.layers = {LayerAt(Rect{0, 0, 2, 1}),
                LayerAt(Rect{3, 3, 3, 3}, {RleChannel(0, {}, 0, 0), RawChannel(-1, {})}),
                LayerAt(Rect{0, 0, 1, 1}, {RawChannel(0, Bytes{42})})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded none = Decode(0);
    ASSERT_EQ(none.result, LAMIVEX_OK);
    EXPECT_EQ(std::count(none.pixels.begin(), none.pixels.end(), 0xFF), 8);
    uint8_t spare[8] = {};
    LamivexRect rect{};
    EXPECT_EQ(Lamivex_GetImage(1, spare, sizeof spare, &rect), LAMIVEX_OK);
    EXPECT_EQ(std::count(spare, spare + 8, 0xFF), 8);  // the whole buffer is filled
    EXPECT_EQ(rect.left, 3);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(Lamivex_GetImage(1, nullptr, 0, &rect), LAMIVEX_OK);
    // The empty layer's channels still took their compression codes: the next layer is found.
    const Decoded last = Decode(2);
    ASSERT_EQ(last.result, LAMIVEX_OK);
    EXPECT_EQ(last.pixels[2], 42);
}

struct RowCase {
    const char* what;
    int32_t width;
    Bytes rows;  // counts and packed rows of a one- or two-row plane
    int32_t height;
    int32_t expected;
    Bytes plane;  // decoded bytes expected in the red lane on success
    friend void PrintTo(const RowCase& c, std::ostream* os) { *os << c.what; }
};

class RleRowsTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(RleRowsTest, DecodesOrFails) {
    const RowCase& c = GetParam();
    OpenedDocument doc(OneLayer(Rect{0, 0, c.width, c.height},
                                {Stored(0, 1, c.rows), RawChannel(1, Flat(c.width, c.height, 3))}));
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded d = Decode(0);
    EXPECT_EQ(d.result, c.expected);
    if (c.expected != LAMIVEX_OK) return;
    for (size_t i = 0; i < c.plane.size(); ++i)
        EXPECT_EQ(d.pixels[4 * i + 2], c.plane[i]) << i;
    // The next channel starts where this one's rows ended.
    if (!d.pixels.empty()) {
        EXPECT_EQ(d.pixels[1], 3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RleRowsTest,
    ::testing::Values(
        RowCase{
            "literal then repeat", 5, RleRows({{2, 10, 20, 30, 255, 7}}), 1, LAMIVEX_OK, {10, 20, 30, 7, 7}},
        RowCase{
            "repeat overflows the row", 5, RleRows({{2, 10, 20, 30, 254, 7}}), 1, LAMIVEX_CORRUPT_RLE, {}},
        RowCase{"128 ends the row",
                3,
                RleRows({{2, 1, 2, 3, 128, 9, 9}, {254, 5}}),
                2,
                LAMIVEX_OK,
                {1, 2, 3, 5, 5, 5}},
        RowCase{"128 leaves the row short", 4, RleRows({{2, 1, 2, 3, 128}}), 1, LAMIVEX_CORRUPT_RLE, {}},
        RowCase{"literal overflows the row", 3, RleRows({{3, 1, 2, 3, 4}}), 1, LAMIVEX_CORRUPT_RLE, {}},
        RowCase{"129 repeats 128 times", 128, RleRows({{129, 6}}), 1, LAMIVEX_OK, Bytes(128, 6)},
        RowCase{"0 copies one byte", 3, RleRows({{0, 8, 255, 9}}), 1, LAMIVEX_OK, {8, 9, 9}},
        RowCase{"row one byte short", 3, RleRows({{255, 1}}), 1, LAMIVEX_CORRUPT_RLE, {}},
        RowCase{"literal reaching past its row",
                3,
                RleRows({{2, 1, 2}, {0, 3, 253, 4}}),
                2,
                LAMIVEX_CORRUPT_RLE,
                {}},
        RowCase{
            "repeat value past its row", 2, RleRows({{0, 1, 255}, {7, 253, 4}}), 2, LAMIVEX_CORRUPT_RLE, {}},
        RowCase{"zero-width rows", 0, RleRows({{}, {}}), 2, LAMIVEX_OK, {}}));

TEST(Decode, RowCountsOf0x8000AndAboveAreUnsigned) {
    // 20000 one-byte literals: 40000 stored bytes for one row, a count above 0x7FFF.
    Bytes row;
    for (int i = 0; i < 20000; ++i) {
        row.push_back(0);
        row.push_back(static_cast<uint8_t>(i));
    }
    OpenedDocument doc(OneLayer(Rect{0, 0, 20000, 1}, {Stored(0, 1, RleRows({row}))}));
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded d = Decode(0);
    ASSERT_EQ(d.result, LAMIVEX_OK);
    EXPECT_EQ(d.pixels[4 * 19999 + 2], static_cast<uint8_t>(19999));
}

TEST(Decode, ChannelDataPastTheEndOfTheFile) {
    // A layer far larger than the few bytes that follow its channel in the file.
    struct Case {
        const char* what;
        Rect bounds;
        Channel channel;
        int32_t expected;
    };
    const Case cases[] = {
        {"raw plane", Rect{0, 0, 100, 100}, Stored(0, 0, Bytes(5, 1)), LAMIVEX_OUT_OF_FILE},
        {"row count table", Rect{0, 0, 1, 1000}, Stored(0, 1, Bytes{0, 2}), LAMIVEX_OUT_OF_FILE},
        {"row data", Rect{0, 0, 4, 4},
         Stored(0, 1, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}), LAMIVEX_CORRUPT_RLE},
    };
    for (const Case& c : cases) {
        OpenedDocument doc(OneLayer(c.bounds, {c.channel}));
        ASSERT_EQ(doc.result(), LAMIVEX_OK) << c.what;
        EXPECT_EQ(Decode(0).result, c.expected) << c.what;
        EXPECT_EQ(Decode(-1).result, LAMIVEX_OK) << c.what;
    }
}

TEST(Decode, InvertedBoundsGive303BeforeTouchingTheBuffer) {
    OpenedDocument doc(OneLayer(Rect{5, 5, 2, 2}, {RawChannel(0, Bytes(9, 1))}));
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    uint8_t buffer[64];
    std::memset(buffer, 0x33, sizeof buffer);
    LamivexRect rect{9, 9, 9, 9};
    EXPECT_EQ(Lamivex_GetImage(0, buffer, sizeof buffer, &rect), LAMIVEX_OUT_OF_FILE);
    EXPECT_EQ(buffer[0], 0x33);
    EXPECT_EQ(rect.left, 9);
}

TEST(Decode, BufferSizeChecks) {
    OpenedDocument doc(OneLayer(Rect{0, 0, 3, 2}, {RawChannel(0, Flat(3, 2, 4))}));
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    std::vector<uint8_t> buffer(40, 0x22);
    LamivexRect rect{7, 7, 7, 7};
    EXPECT_EQ(Lamivex_GetImage(0, buffer.data(), 23, &rect), LAMIVEX_UNSUPPORTED);
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0x22), 40);
    EXPECT_EQ(rect.left, 7);
    EXPECT_EQ(Lamivex_GetImage(0, buffer.data(), 24, &rect), LAMIVEX_OK);
    EXPECT_EQ(buffer[24], 0x22);
    EXPECT_EQ(Lamivex_GetImage(0, buffer.data(), 40, &rect), LAMIVEX_OK);
    EXPECT_EQ(std::count(buffer.begin() + 24, buffer.end(), 0xFF), 16);
    EXPECT_EQ(Lamivex_GetImage(1, buffer.data(), 40, &rect), LAMIVEX_BAD_INDEX);
}

TEST(Decode, HugeRectanglesNeedMoreThanAnyBufferSize) {
    // 65536 x 65536 pixels: the byte size does not fit in 32 bits and must not wrap to a small one.
    Document d = Canvas(4, 4);
    d.layers = {LayerAt(Rect{-32768, -32768, 32768, 32768})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    uint8_t buffer[16];
    LamivexRect rect{};
    EXPECT_EQ(Lamivex_GetImage(0, buffer, sizeof buffer, &rect), LAMIVEX_UNSUPPORTED);
    EXPECT_EQ(Lamivex_GetImage(0, buffer, UINT32_MAX, &rect), LAMIVEX_UNSUPPORTED);
}

TEST(Decode, PlanesLargerThanTheLibraryCanHoldAreRefusedAtOpen) {
    Document d = Canvas(4, 4);
    d.layers = {LayerAt(Rect{-32768, -32768, 32768, 32768}, {RleChannel(0, {}, 0, 0)})};
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_UNSUPPORTED);
    Layer masked = LayerAt(Rect{0, 0, 1, 1}, {RawChannel(-2, {})});
    masked.maskData = MaskData(Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 0, 0);
    d.layers = {masked};
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_UNSUPPORTED);
}

TEST(Decode, UnsupportedChannelCompressionFailsTheOpen) {
    Document d = Canvas(4, 4);
    d.layers = {LayerAt(Rect{0, 0, 1, 1}, {RawChannel(0, Bytes{1})}),
                LayerAt(Rect{0, 0, 1, 1}, {RawChannel(0, Bytes{1}), Stored(1, 2, Bytes{1, 2, 3})})};
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_UNSUPPORTED);
    d.layers[1].channels[1].compression = 3;
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_UNSUPPORTED);
}

TEST(Decode, ChannelsAreAppliedInListOrder) {
    Document d = Canvas(4, 4);
    Channel first = RawChannel(0, Bytes{5});
    Channel second = RawChannel(0, Bytes{6});
    d.layers = {LayerAt(Rect{0, 0, 1, 1}, {first, second}),
                LayerAt(Rect{0, 0, 1, 1}, {RawChannel(0, Bytes{7})})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded layer0 = Decode(0);
    ASSERT_EQ(layer0.result, LAMIVEX_OK);
    EXPECT_EQ(layer0.pixels[2], 6);  // the second channel overwrote the lane: applied in list order
    EXPECT_EQ(Decode(1).pixels[2], 7);
}

TEST(Decode, ChannelsWithOtherIdsAreSkippedAndRealUserMasksSteppedOver) {
    Layer l = LayerAt(Rect{0, 0, 2, 2}, {RawChannel(5, Flat(2, 2, 1)), Channel{-3, 1, Bytes(30, 0xEE), {}},
                                         RawChannel(0, Flat(2, 2, 77))});
    Document d = Canvas(4, 4);
    d.layers = {l};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded dec = Decode(0);
    ASSERT_EQ(dec.result, LAMIVEX_OK);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dec.pixels[4 * i + 2], 77);
        EXPECT_EQ(dec.pixels[4 * i + 3], 255);
    }
}

TEST(Decode, FailureKeepsTheChannelsDoneAndTheDocumentUsable) {
    Document d = Canvas(4, 4);
    d.layers = {LayerAt(Rect{0, 0, 2, 1}, {RawChannel(0, Bytes{1, 2}), Stored(1, 1, RleRows({{255, 9, 0}}))}),
                LayerAt(Rect{0, 0, 1, 1}, {RawChannel(2, Bytes{4})})};
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    uint8_t buffer[8];
    LamivexRect rect{1, 1, 1, 1};
    EXPECT_EQ(Lamivex_GetImage(0, buffer, sizeof buffer, &rect), LAMIVEX_CORRUPT_RLE);
    EXPECT_EQ(std::vector<int>(buffer, buffer + 8), (std::vector<int>{255, 255, 1, 255, 255, 255, 2, 255}));
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(Decode(1).result, LAMIVEX_OK);
    EXPECT_EQ(Decode(-1).result, LAMIVEX_OK);
    EXPECT_EQ(Lamivex_GetLayerCount(), 2);
}

TEST(Decode, MergedImageLayouts) {
    for (uint16_t channels : {0, 3, 4, 5}) {
        for (uint16_t compression : {0, 1}) {
            Document d = Canvas(4, 2, channels);
            d.mergedCompression = compression;
            OpenedDocument doc(d.Build());
            ASSERT_EQ(doc.result(), LAMIVEX_OK);
            const Decoded m = Decode(-7);
            ASSERT_EQ(m.result, LAMIVEX_OK) << channels << " " << compression;
            EXPECT_EQ(m.rect.right, 4);
            EXPECT_EQ(m.rect.bottom, 2);
            for (int i = 0; i < 8; ++i) {
                const auto plane = [&](int k) { return static_cast<int>(d.mergedPlanes[k][i]); };
                EXPECT_EQ(m.pixels[4 * i + 2], channels > 0 ? plane(0) : 255);
                EXPECT_EQ(m.pixels[4 * i + 1], channels > 1 ? plane(1) : 255);
                EXPECT_EQ(m.pixels[4 * i + 0], channels > 2 ? plane(2) : 255);
                EXPECT_EQ(m.pixels[4 * i + 3],
                          channels > 3 ? plane(channels - 1) : 255);  // the last one wins
            }
        }
    }
}

TEST(Decode, MergedRunLengthRowCountsComeFirst) {
    // Width 4, height 2, three channels: six counts at section offsets 2..13, rows from offset 14.
    Document d = Canvas(4, 2, 3);
    Bytes section;
    Put16(section, 1);
    const Bytes rows[3][2] = {{{3, 1, 2, 3, 4}, {253, 9}}, {{253, 8}, {253, 7}}, {{253, 6}, {3, 5, 4, 3, 2}}};
    for (const auto& channel : rows)
        for (const Bytes& r : channel)
            Put16(section, static_cast<uint16_t>(r.size()));
    for (const auto& channel : rows)
        for (const Bytes& r : channel)
            PutBytes(section, r);
    d.imageData = section;
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded m = Decode(-1);
    ASSERT_EQ(m.result, LAMIVEX_OK);
    EXPECT_EQ(m.At(3, 0, 2), 4);
    EXPECT_EQ(m.At(0, 1, 2), 9);
    EXPECT_EQ(m.At(2, 1, 1), 7);
    EXPECT_EQ(m.At(3, 1, 0), 2);
}

TEST(Decode, MergedImageWithAnUnknownCompressionIsDecodedAsRunLength) {
    Document d = Canvas(2, 1, 1);
    Bytes section;
    Put16(section, 7);
    Put16(section, 2);
    PutBytes(section, Bytes{255, 3});
    d.imageData = section;
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    const Decoded m = Decode(-1);
    ASSERT_EQ(m.result, LAMIVEX_OK);
    EXPECT_EQ(m.At(1, 0, 2), 3);
}

TEST(Decode, MergedImageCutShort) {
    Document d = Canvas(8, 8, 3);
    for (uint16_t compression : {0, 1}) {
        d.mergedCompression = compression;
        Bytes b = d.Build();
        b.resize(b.size() - 10);
        OpenedDocument doc(b);
        ASSERT_EQ(doc.result(), LAMIVEX_OK);
        EXPECT_EQ(Decode(-1).result, compression == 0 ? LAMIVEX_OUT_OF_FILE : LAMIVEX_CORRUPT_RLE);
    }
    // The image data starts at 38; its 3 x 8 row counts end at 88. Cut inside them.
    Bytes b = d.Build();
    b.resize(38 + 2 + 48 - 1);
    OpenedDocument doc(b);
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(Decode(-1).result, LAMIVEX_OUT_OF_FILE);
}
