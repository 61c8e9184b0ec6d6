// Layer records: channel tables, blend data, masks, names and additional information blocks.
#include "LamivexTest.h"

using namespace psdtest;

namespace {

ImageInfo Info(int32_t index) {
    ImageInfo info{};
    info.index = index;
    EXPECT_EQ(Lamivex_GetImageInfo(&info), LAMIVEX_OK);
    return info;
}

// Opens a document with the given layers and returns layer `index`'s record.
struct LayerProbe {
    explicit LayerProbe(std::vector<Layer> layers) {
        Document d = Canvas(4, 4);
        d.layers = std::move(layers);
        doc = std::make_unique<OpenedDocument>(d.Build());
    }
    std::unique_ptr<OpenedDocument> doc;
};

Layer Named(const std::string& name) {
    Layer l;
    l.bounds = Rect{0, 0, 1, 1};
    l.name = name;
    return l;
}

}  // namespace

TEST(LayerRecords, PascalNamesAndTheirPadding) {
    // Lengths 0, 3, 4, 255: the records after them are found only if each took its padded length.
    const std::string n255(255, 'x');
    LayerProbe probe({Named(""), Named("abc"), Named("abcd"), Named(n255), Named("last")});
    ASSERT_EQ(probe.doc->result(), LAMIVEX_OK);
    EXPECT_STREQ(Info(0).name, "");
    EXPECT_STREQ(Info(1).name, "abc");
    EXPECT_STREQ(Info(2).name, "abcd");
    EXPECT_EQ(std::string(Info(3).name), std::string(67, 'x'));
    EXPECT_STREQ(Info(4).name, "last");
}

TEST(LayerRecords, ChannelCountsOfZeroOrLessHaveNoEntries) {
    Layer none = Named("none");
    Layer negative = Named("negative");
    negative.storedChannelCount = -4;
    LayerProbe probe({none, negative, Named("after")});
    ASSERT_EQ(probe.doc->result(), LAMIVEX_OK);
    EXPECT_STREQ(Info(1).name, "negative");
    EXPECT_STREQ(Info(2).name, "after");
}

TEST(LayerRecords, BlendDataIsReportedAsStored) {
    Layer l = Named("blend");
    l.blendKey = "mul ";
    l.opacity = 0;
    l.clipping = 1;
    l.flags = 8;
    l.extraLength = 0x0123;  // never used to find anything
    LayerProbe probe({l, Named("next")});
    ASSERT_EQ(probe.doc->result(), LAMIVEX_OK);
    const ImageInfo info = Info(0);
    EXPECT_EQ(std::memcmp(info.blendMode, "mul \0\x01\x08\x23", 8), 0);
    EXPECT_EQ(info.opacity, 0);
    EXPECT_EQ(info.visible, 1);
    EXPECT_STREQ(Info(1).name, "next");
}

TEST(LayerRecords, BadBlendSignatureGives303) {
    Layer l = Named("x");
    l.blendSignature = "8BIN";
    LayerProbe probe({l});
    EXPECT_EQ(probe.doc->result(), LAMIVEX_OUT_OF_FILE);
}

TEST(LayerRecords, MaskDataOfEveryLength) {
    Layer none = Named("no mask");
    Layer twenty = Named("20");
    twenty.maskData = MaskData(Rect{1, 2, 3, 4}, 255, 2, 20);
    Layer long36 = Named("36");
    long36.maskData = MaskData(Rect{-5, -6, 7, 8}, 0, 0, 36);
    Layer short10 = Named("10");
    short10.maskData = MaskData(Rect{1, 2, 3, 4}, 255, 2, 10);  // flags beyond M count as 0
    LayerProbe probe({none, twenty, long36, short10, Named("after")});
    ASSERT_EQ(probe.doc->result(), LAMIVEX_OK);
    EXPECT_EQ(Info(0).maskEnabled, 1);
    EXPECT_EQ(Info(1).maskEnabled, 0);
    EXPECT_EQ(Info(2).maskEnabled, 1);
    EXPECT_EQ(Info(3).maskEnabled, 1);
    EXPECT_STREQ(Info(4).name, "after");
}

struct NameCase {
    const char* what;
    std::string pascal;
    std::vector<Bytes> blocks;
    std::string expected;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.what; }
};

class UnicodeNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(UnicodeNames, NameAfterTheBlocks) {
    const NameCase& c = GetParam();
    Layer l = Named(c.pascal);
    l.additionalInfo = c.blocks;
    LayerProbe probe({l, Named("next")});
    ASSERT_EQ(probe.doc->result(), LAMIVEX_OK) << c.what;
    EXPECT_EQ(std::string(Info(0).name), c.expected) << c.what;
    EXPECT_STREQ(Info(1).name, "next") << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnicodeNames,
    ::testing::Values(
        NameCase{"luni after another block",
                 "abc",
                 {InfoBlock("lyid", Bytes(4, 1)), LuniBlock(u"Zebra")},
                 "Zebra"},
        NameCase{"Latin-1 units", "x", {LuniBlock(u"caf\u00e9")}, "caf\xe9"},
        NameCase{"unit above 255 stops", "abcd", {LuniBlock(u"ab\u0416z")}, "abcd"},
        NameCase{"shorter luni name", "abcdefgh", {LuniBlock(u"abcde")}, "abcde"},
        NameCase{"NUL unit ends", "abcdefgh", {LuniBlock(std::u16string(u"ab\0cd", 5))}, "ab"},
        NameCase{"Cyrillic keeps Pascal", "Sloy", {LuniBlock(u"\u0421\u043b\u043e\u0439")}, "Sloy"},
        NameCase{"100 units keep 67", "p", {LuniBlock(std::u16string(100, u'q'))}, std::string(67, 'q')},
        NameCase{"later luni applied again", "p", {LuniBlock(u"first"), LuniBlock(u"2nd")}, "2nd"},
        NameCase{"other keys skipped",
                 "keep",
                 {InfoBlock("lsct", Bytes(12, 0)), InfoBlock("shmd", Bytes(3, 9))},
                 "keep"}));

TEST(LayerRecords, InfoBlockRunningPastTheFileGives303) {
    Layer l = Named("x");
    Bytes block = InfoBlock("lyid", Bytes(4, 0));
    block[8] = 0x7F;  // length far beyond the file
    l.additionalInfo = {block};
    LayerProbe probe({l});
    EXPECT_EQ(probe.doc->result(), LAMIVEX_OUT_OF_FILE);
}

TEST(LayerRecords, LuniCountBeyondTheFileGives303) {
    Layer l = Named("x");
    l.additionalInfo = {LuniBlock(u"ab", 0x7FFFFFFF)};
    // The block's own length says 12 bytes; the count asks for 67 units from there.
    Document d = Canvas(1, 1);
    d.layers = {l};
    d.mergedPlanes.clear();
    d.channelCount = 0;
    d.imageData = Bytes{0, 0};
    Bytes b = d.Build();
    EXPECT_EQ(OpenResult(b), LAMIVEX_OUT_OF_FILE);
}
