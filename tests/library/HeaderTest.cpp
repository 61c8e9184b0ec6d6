// Section location and header validation.
#include "LamivexTest.h"

using namespace psdtest;

namespace {

Bytes Header(uint32_t width, uint32_t height) {
    Document d = Canvas(width, height);
    Bytes b = d.Build();
    b.resize(26);
    return b;
}

void Set16(Bytes& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v >> 8);
    b[at + 1] = static_cast<uint8_t>(v);
}

void Set32(Bytes& b, size_t at, uint32_t v) {
    Set16(b, at, static_cast<uint16_t>(v >> 16));
    Set16(b, at + 2, static_cast<uint16_t>(v));
}

}  // namespace

TEST(Header, FilesTooShortForTheirSections) {
    Bytes b = Header(1, 1);
    EXPECT_EQ(OpenResult(b), LAMIVEX_OUT_OF_FILE) << "26 bytes";
    Bytes withSections = b;
    withSections.resize(38, 0);  // three zero section lengths, no image data
    EXPECT_EQ(OpenResult(withSections), LAMIVEX_OUT_OF_FILE) << "38 bytes";
    withSections.push_back(0);
    EXPECT_EQ(OpenResult(withSections), LAMIVEX_OK) << "39 bytes";
    Lamivex_Close();
    Bytes shortLength = b;
    shortLength.resize(28, 0);  // the colour mode length itself is cut
    EXPECT_EQ(OpenResult(shortLength), LAMIVEX_OUT_OF_FILE);
}

struct HeaderCase {
    const char* what;
    void (*edit)(Document&);
    int32_t maxDimension;
    int32_t expected;
    friend void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.what; }
};

class HeaderCases : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderCases, OpenGivesTheExpectedCode) {
    const HeaderCase& c = GetParam();
    Document d = Canvas(4, 4);
    c.edit(d);
    EXPECT_EQ(OpenResult(d.Build(), c.maxDimension), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HeaderCases,
    ::testing::Values(
        HeaderCase{"well formed", [](Document&) {}, 30001, LAMIVEX_OK},
        HeaderCase{"signature", [](Document& d) { d.signature = "8BPT"; }, 30001, LAMIVEX_BAD_HEADER},
        HeaderCase{"signature first byte", [](Document& d) { d.signature = "9BPS"; }, 30001,
                   LAMIVEX_BAD_HEADER},
        HeaderCase{"version 2", [](Document& d) { d.version = 2; }, 30001, LAMIVEX_BAD_HEADER},
        HeaderCase{"version 0", [](Document& d) { d.version = 0; }, 30001, LAMIVEX_BAD_HEADER},
        HeaderCase{"24 channels", [](Document& d) { d.channelCount = 24; }, 30001, LAMIVEX_BAD_HEADER},
        HeaderCase{"23 channels", [](Document& d) { d.channelCount = 23; }, 30001, LAMIVEX_OK},
        HeaderCase{"0 channels",
                   [](Document& d) {
                       d.channelCount = 0;
                       d.mergedPlanes.clear();
                   },
                   30001, LAMIVEX_OK},
        HeaderCase{"width 30001",
                   [](Document& d) {
                       d.width = 30001;
                       d.height = 1;
                   },
                   30001, LAMIVEX_OK},
        HeaderCase{"width 30002", [](Document& d) { d.width = 30002; }, -1, LAMIVEX_TOO_LARGE},
        HeaderCase{"height 30002", [](Document& d) { d.height = 30002; }, INT32_MAX, LAMIVEX_TOO_LARGE},
        HeaderCase{"negative limit is 30001",
                   [](Document& d) {
                       d.width = 30001;
                       d.height = 1;
                   },
                   -5, LAMIVEX_OK},
        HeaderCase{"maxDimension 0", [](Document&) {}, 0, LAMIVEX_TOO_LARGE},
        HeaderCase{"maxDimension 0, empty image",
                   [](Document& d) {
                       d.width = 0;
                       d.height = 0;
                   },
                   0, LAMIVEX_OK},
        HeaderCase{"maxDimension 3", [](Document&) {}, 3, LAMIVEX_TOO_LARGE},
        HeaderCase{"maxDimension 4", [](Document&) {}, 4, LAMIVEX_OK},
        HeaderCase{"16-bit", [](Document& d) { d.depth = 16; }, 30001, LAMIVEX_NOT_8BIT},
        HeaderCase{"CMYK", [](Document& d) { d.colorMode = 4; }, 30001, LAMIVEX_NOT_RGB},
        HeaderCase{"greyscale", [](Document& d) { d.colorMode = 1; }, 30001, LAMIVEX_NOT_RGB},
        HeaderCase{"16-bit CMYK: depth first",
                   [](Document& d) {
                       d.depth = 16;
                       d.colorMode = 4;
                   },
                   30001, LAMIVEX_NOT_8BIT},
        HeaderCase{"305 before 306",
                   [](Document& d) {
                       d.version = 2;
                       d.width = 40000;
                   },
                   30001, LAMIVEX_BAD_HEADER},
        HeaderCase{"306 before 308",
                   [](Document& d) {
                       d.width = 40000;
                       d.depth = 16;
                   },
                   30001, LAMIVEX_TOO_LARGE},
        HeaderCase{"308 before 307",
                   [](Document& d) {
                       d.depth = 1;
                       d.colorMode = 0;
                   },
                   30001, LAMIVEX_NOT_8BIT},
        HeaderCase{"reserved bytes not examined", [](Document& d) { d.reserved = Bytes(6, 0xEE); }, 30001,
                   LAMIVEX_OK}));

TEST(Header, SectionLengthsThatLeaveTheFileGive303) {
    const Bytes good = Canvas(4, 4).Build();
    // Offsets of the colour mode, image resources and layer and mask lengths in this document.
    for (size_t at : {size_t{26}, size_t{30}, size_t{34}}) {
        for (uint32_t length : {0xFFFFFFFFu, 0xFFFFFFF0u, 0x80000000u, static_cast<uint32_t>(good.size())}) {
            Bytes b = good;
            Set32(b, at, length);
            EXPECT_EQ(OpenResult(b), LAMIVEX_OUT_OF_FILE) << at << " " << length;
        }
    }
}

TEST(Header, SectionsAreLocatedBeforeTheHeaderIsChecked) {
    Bytes b = Canvas(4, 4).Build();
    b[0] = 'X';
    EXPECT_EQ(OpenResult(b), LAMIVEX_BAD_HEADER);
    Set32(b, 26, 0xFFFFFF00u);
    EXPECT_EQ(OpenResult(b), LAMIVEX_OUT_OF_FILE);
}

TEST(Header, StoredLayerCounts) {
    Document d = Canvas(4, 4);
    for (int i = 0; i < 3; ++i)
        d.layers.push_back(LayerAt(Rect{0, 0, 1, 1}));
    d.storedLayerCount = -3;
    {
        OpenedDocument doc(d.Build());
        ASSERT_EQ(doc.result(), LAMIVEX_OK);
        EXPECT_EQ(Lamivex_GetLayerCount(), 3);
    }
    d.storedLayerCount = INT16_MIN;
    EXPECT_EQ(OpenResult(d.Build()), LAMIVEX_OUT_OF_FILE);
}

TEST(Header, EmptyLayerAndMaskInformationMeansNoLayers) {
    Document d = Canvas(4, 4);
    d.resources.push_back(LayerGroups({5}));
    OpenedDocument doc(d.Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(Lamivex_GetLayerCount(), 0);
    ImageInfo info{};
    info.index = 0;
    EXPECT_EQ(Lamivex_GetImageInfo(&info), LAMIVEX_BAD_INDEX);
}

TEST(Header, LayerCountIsReadEvenWhenTheLayerInfoLengthIsZero) {
    // Layer and mask section: layer info length 0, then the count 1 and one record.
    Document d = Canvas(2, 2);
    d.layers.push_back(LayerAt(Rect{0, 0, 1, 1}));
    Bytes b = d.Build();
    const size_t layerInfoLength = 26 + 4 + 4 + 4;
    Set32(b, layerInfoLength, 0);
    OpenedDocument doc(b);
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    EXPECT_EQ(Lamivex_GetLayerCount(), 1);
}
