// Every prefix and many byte mutations of a document with every feature: opening and decoding give
// documented codes and never read outside the file (the sanitizer build maps files before a guard page).
#include <set>

#include "LamivexTest.h"

using namespace psdtest;

namespace {

Document Featured() {
    Document d = Canvas(6, 5, 4);
    d.mergedCompression = 1;
    d.resources = {Resource{1005, "res", Bytes(5, 1)}, LayerGroups({3, 0})};
    Layer masked = LayerAt(Rect{-1, -1, 5, 4},
                           {RawChannel(-1, Ramp(6, 5, 9)), RleChannel(0, Ramp(6, 5, 1), 6, 5),
                            RleChannel(-2, Flat(2, 2, 128), 2, 2), Channel{-3, 1, Bytes(12, 0), {}}},
                           "masked");
    masked.maskData = MaskData(Rect{1, 1, 3, 3}, 255, 0, 36);
    masked.blendingRanges = Bytes(40, 0xFF);
    masked.additionalInfo = {InfoBlock("lyid", Bytes(4, 2)), LuniBlock(u"m\u00e4sk")};
    Layer plain = LayerAt(Rect{2, 2, 4, 4},
                          {RawChannel(1, Flat(2, 2, 3)), RleChannel(2, Ramp(2, 2, 5), 2, 2)}, "plain");
    plain.flags = 2;
    d.layers = {masked, plain};
    return d;
}

const std::set<int32_t> kOpenCodes = {0, 1, 100, 301, 303, 305, 306, 307, 308};
const std::set<int32_t> kImageCodes = {0, 1, 301, 303, 310, 311};

void OpenAndDecodeEverything(const Bytes& bytes, const std::string& what) {
    OpenedDocument doc(bytes);
    ASSERT_TRUE(kOpenCodes.count(doc.result())) << what << ": open gave " << doc.result();
    if (doc.result() != LAMIVEX_OK) {
        ASSERT_EQ(Lamivex_GetLayerCount(), LAMIVEX_NOT_OPEN) << what;
        return;
    }
    const int32_t layers = Lamivex_GetLayerCount();
    for (int32_t i = -1; i <= layers; ++i) {
        ImageInfo info{};
        info.index = i;
        const int32_t infoCode = Lamivex_GetImageInfo(&info);
        ASSERT_TRUE(infoCode == LAMIVEX_OK || infoCode == LAMIVEX_BAD_INDEX) << what;
        // A bounded buffer: big enough for this small document's images, too small for damaged giants.
        std::vector<uint8_t> buffer(4096);
        LamivexRect rect{};
        const int32_t code = Lamivex_GetImage(i, buffer.data(), static_cast<uint32_t>(buffer.size()), &rect);
        ASSERT_TRUE(kImageCodes.count(code)) << what << ": image " << i << " gave " << code;
        if (code == LAMIVEX_OK) {
            const LamivexRect canvas = info.bounds;
            Lamivex_UnderScan(buffer.data(), &rect, &canvas);
            Lamivex_Minimize(buffer.data(), &rect);
        }
    }
}

}  // namespace

TEST(Truncation, FeaturedDocumentOpensAndDecodes) {
    OpenedDocument doc(Featured().Build());
    ASSERT_EQ(doc.result(), LAMIVEX_OK);
    ASSERT_EQ(Lamivex_GetLayerCount(), 2);
    for (int32_t i = -1; i < 2; ++i)
        EXPECT_EQ(Decode(i).result, LAMIVEX_OK) << i;
    ImageInfo info{};
    info.index = 0;
    Lamivex_GetImageInfo(&info);
    EXPECT_STREQ(info.name, "m\xe4sk");
    EXPECT_EQ(info.groupId, 3);
}

TEST(Truncation, EveryPrefixGivesADocumentedCode) {
    const Bytes full = Featured().Build();
    for (size_t n = 0; n < full.size(); ++n) {
        OpenAndDecodeEverything(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)),
                                "prefix " + std::to_string(n));
        if (HasFatalFailure()) return;
    }
}

TEST(Truncation, ByteMutationsGiveDocumentedCodes) {
    const Bytes full = Featured().Build();
    const uint8_t values[] = {0x00, 0x01, 0x7F, 0x80, 0x81, 0xFE, 0xFF};
    for (size_t at = 0; at < full.size(); ++at) {
        for (uint8_t v : values) {
            if (full[at] == v) continue;
            Bytes b = full;
            b[at] = v;
            OpenAndDecodeEverything(b, "byte " + std::to_string(at) + " = " + std::to_string(v));
            if (HasFatalFailure()) return;
        }
    }
}
