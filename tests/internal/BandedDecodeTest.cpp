// The banded decode against the plane-by-plane route on many generated documents, intact and damaged:
// same result code, same rectangle, same buffer bytes, also after a failure.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "Lamivex.h"
#include "PsdBuilder.h"

using namespace psdtest;

namespace {

struct Outcome {
    int32_t code = 0;
    lvx::RECT rect{-7, -7, -7, -7};
    std::vector<uint8_t> buffer;
};

template <typename Decode>
Outcome Run(Decode decode, size_t size) {
    Outcome o;
    o.buffer.assign(size, 0x3C);
    try {
        decode(o.buffer.data(), static_cast<uint32_t>(size), &o.rect);
    } catch (const CZanPsdDecomp::CZanPsdDecompException& e) {
        o.code = e.code;
    } catch (const CLamivex::CException& e) {
        o.code = e.code;
    }
    return o;
}

Bytes RandomPlane(std::mt19937& rng, int32_t w, int32_t h) {
    Bytes p(static_cast<size_t>(w) * static_cast<size_t>(h));
    const int style = static_cast<int>(rng() % 3);
    for (size_t i = 0; i < p.size(); ++i)
        p[i] = style == 0   ? static_cast<uint8_t>(rng())
               : style == 1 ? static_cast<uint8_t>(i / 7)
                            : static_cast<uint8_t>(rng() % 2 * 255);
    return p;
}

Layer RandomLayer(std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int32_t>(rng() % static_cast<uint32_t>(n)); };
    // Mostly small; sometimes wider than a band so that bands are single rows, sometimes tall.
    const int shape = pick(6);
    const int32_t w = shape == 0 ? 17000 + pick(100) : 1 + pick(70);
    const int32_t h = shape == 0 ? 1 + pick(3) : shape == 1 ? 300 + pick(400) : pick(40);
    const int32_t left = pick(40) - 20, top = pick(40) - 20;
    Layer l = LayerAt(Rect{left, top, left + w, top + h});
    const bool masked = pick(2) == 0;
    Rect maskRect{left + pick(30) - 15, top + pick(30) - 15, 0, 0};
    maskRect.right = maskRect.left + pick(60);
    maskRect.bottom = maskRect.top + pick(60);
    if (masked)
        l.maskData =
            MaskData(maskRect, pick(2) ? 255 : static_cast<uint8_t>(pick(256)), pick(4) == 0 ? 2 : 0);
    const int channels = pick(7);
    const int16_t ids[] = {-1, 0, 1, 2, -1, 0, 3, -2, -3};
    for (int c = 0; c < channels; ++c) {
        const int16_t id = ids[pick(9)];
        if (id == -2 && !masked) continue;
        if (id == -3) {
            l.channels.push_back(Channel{-3, 1, Bytes(static_cast<size_t>(pick(20)), 0x81), {}});
            continue;
        }
        const Rect r = id == -2 ? maskRect : l.bounds;
        const Bytes plane = RandomPlane(rng, r.Width(), r.Height());
        l.channels.push_back(pick(2) ? RawChannel(id, plane) : RleChannel(id, plane, r.Width(), r.Height()));
    }
    return l;
}

Document RandomDocument(std::mt19937& rng) {
    const uint32_t w = 1 + rng() % 90, h = 1 + rng() % 90;
    Document d = Canvas(w, h, static_cast<uint16_t>(rng() % 6));
    d.mergedCompression = static_cast<uint16_t>(rng() % 2);
    const int layers = static_cast<int>(rng() % 4);
    for (int i = 0; i < layers; ++i)
        d.layers.push_back(RandomLayer(rng));
    return d;
}

void Compare(const Bytes& bytes, const std::string& what) {
    TempFile file(bytes);
    std::unique_ptr<CLamivex> doc;
    try {
        doc = std::make_unique<CLamivex>(file.path(), 30001);
    } catch (...) {
        return;  // a damaged document that does not open has nothing to decode
    }
    for (int32_t i = -1; i < doc->GetLayerCount(); ++i) {
        ImageInfo info{};
        info.index = i;
        doc->GetImageInfo(&info);
        const int64_t area =
            (int64_t{info.bounds.right} - info.bounds.left) * (int64_t{info.bounds.bottom} - info.bounds.top);
        if (area < 0 || area > 4'000'000) continue;
        const size_t size = static_cast<size_t>(area) * 4 + 8;  // a little spare: the tail is filled too
        const Outcome banded =
            Run([&](uint8_t* b, uint32_t n, lvx::RECT* r) { doc->GetImage(i, b, n, r); }, size);
        const Outcome plain =
            Run([&](uint8_t* b, uint32_t n, lvx::RECT* r) { doc->GetImagePlain(i, b, n, r); }, size);
        ASSERT_EQ(banded.code, plain.code) << what << " image " << i;
        ASSERT_EQ(std::memcmp(&banded.rect, &plain.rect, sizeof banded.rect), 0) << what << " image " << i;
        ASSERT_TRUE(banded.buffer == plain.buffer) << what << " image " << i;
    }
}

}  // namespace

TEST(BandedDecode, EqualsThePlaneByPlaneRouteOnIntactDocuments) {
    std::mt19937 rng(20261211);
    for (int n = 0; n < 300; ++n) {
        Compare(RandomDocument(rng).Build(), "document " + std::to_string(n));
        if (HasFatalFailure()) return;
    }
}

TEST(BandedDecode, EqualsThePlaneByPlaneRouteAfterDamage) {
    std::mt19937 rng(7);
    for (int n = 0; n < 300; ++n) {
        Bytes bytes = RandomDocument(rng).Build();
        // Damage the second half, where the channel data and the merged image lie.
        for (int k = 0; k < 1 + static_cast<int>(rng() % 4); ++k) {
            const size_t at = bytes.size() / 2 + rng() % (bytes.size() - bytes.size() / 2);
            bytes[at] = static_cast<uint8_t>(rng());
        }
        if (rng() % 4 == 0) bytes.resize(bytes.size() - rng() % (bytes.size() / 3));
        Compare(bytes, "damaged document " + std::to_string(n));
        if (HasFatalFailure()) return;
    }
}
