#include "SampleDocument.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace lvx::sample {

namespace {

using psdtest::Bytes;
using psdtest::Rect;

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 120;

// A layer drawn pixel by pixel: colour and coverage per pixel in straight RGBA.
struct Picture {
    Rect bounds;
    std::array<Bytes, 4> planes;  // red, green, blue, alpha

    explicit Picture(const Rect& r) : bounds(r) {
        for (Bytes& plane : planes)
            plane.assign(static_cast<size_t>(r.Width() * r.Height()), 0);
    }
    void set(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
        const size_t i = static_cast<size_t>(y * bounds.Width() + x);
        planes[0][i] = red;
        planes[1][i] = green;
        planes[2][i] = blue;
        planes[3][i] = alpha;
    }
};

uint8_t toByte(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Coverage of a shape edge at signed distance d (negative inside), one pixel of anti-aliasing.
double coverage(double d) {
    return std::clamp(0.5 - d, 0.0, 1.0);
}

Picture sky() {
    Picture p({0, 0, kWidth, kHeight});
    for (int32_t y = 0; y < kHeight; ++y) {
        const double t = y / double(kHeight - 1);
        for (int32_t x = 0; x < kWidth; ++x)
            p.set(x, y, toByte(70 + 140 * t), toByte(130 + 100 * t), toByte(220 + 30 * t), 255);
    }
    return p;
}

Picture hills() {
    Picture p({0, 55, kWidth, kHeight});
    for (int32_t y = 0; y < p.bounds.Height(); ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const double ridge = 18 + 10 * std::sin(x / 17.0) + 5 * std::sin(x / 7.0 + 1);
            const double a = coverage(ridge - y);
            const double shade = 0.75 + 0.25 * std::sin(x / 9.0 + y / 6.0);
            p.set(x, y, toByte(50 * shade), toByte(150 * shade), toByte(60 * shade), toByte(255 * a));
        }
    }
    return p;
}

// The hills' mask: 0 inside an ellipse (the lake shows the sky through the hills), 255 around it.
// The rectangle covers only the lake; the default colour 255 keeps the rest of the layer.
constexpr Rect kLakeRect{50, 90, 120, 114};
Bytes lakeMask() {
    Bytes plane(static_cast<size_t>(kLakeRect.Width() * kLakeRect.Height()));
    const double cx = kLakeRect.Width() / 2.0, cy = kLakeRect.Height() / 2.0;
    for (int32_t y = 0; y < kLakeRect.Height(); ++y) {
        for (int32_t x = 0; x < kLakeRect.Width(); ++x) {
            const double dx = (x + 0.5 - cx) / (cx - 1), dy = (y + 0.5 - cy) / (cy - 1);
            const double d = (std::sqrt(dx * dx + dy * dy) - 1) * (cy - 1);
            plane[static_cast<size_t>(y * kLakeRect.Width() + x)] = toByte(255 * (1 - coverage(d)));
        }
    }
    return plane;
}

Picture tree() {
    Picture p({18, 38, 52, 98});
    for (int32_t y = 0; y < p.bounds.Height(); ++y) {
        for (int32_t x = 0; x < p.bounds.Width(); ++x) {
            const double crown = std::hypot(x + 0.5 - 17, y + 0.5 - 18) - 15;
            const double trunk = std::max(std::abs(x + 0.5 - 17) - 3, std::abs(y + 0.5 - 42) - 17);
            const double a = std::max(coverage(crown), coverage(trunk));
            if (coverage(crown) >= coverage(trunk)) {
                p.set(x, y, 30, toByte(110 + y), 40, toByte(255 * a));
            } else {
                p.set(x, y, 110, 70, 35, toByte(255 * a));
            }
        }
    }
    return p;
}

Picture sun() {
    // Centred near the top right corner, so part of it lies outside the canvas.
    Picture p({108, -32, 188, 48});
    for (int32_t y = 0; y < p.bounds.Height(); ++y) {
        for (int32_t x = 0; x < p.bounds.Width(); ++x) {
            const double r = std::hypot(x + 0.5 - 40, y + 0.5 - 40);
            const double glow = std::clamp(1 - (r - 22) / 18, 0.0, 1.0);
            const double a = std::max(coverage(r - 22), 0.35 * glow * glow);
            p.set(x, y, 255, toByte(200 + 40 * coverage(r - 22)), 70, toByte(255 * a));
        }
    }
    return p;
}

Picture note() {
    Picture p({8, 8, 72, 30});
    for (int32_t y = 0; y < p.bounds.Height(); ++y) {
        for (int32_t x = 0; x < p.bounds.Width(); ++x) {
            const bool line = y % 6 == 3 && x > 4 && x < p.bounds.Width() - 5;
            p.set(x, y, line ? 60 : 250, line ? 60 : 250, line ? 60 : 240, 230);
        }
    }
    return p;
}

std::vector<psdtest::Channel> channels(const Picture& p, bool withAlpha) {
    const int32_t w = p.bounds.Width(), h = p.bounds.Height();
    std::vector<psdtest::Channel> out;
    if (withAlpha) out.push_back(psdtest::RleChannel(-1, p.planes[3], w, h));
    for (int16_t id = 0; id < 3; ++id)
        out.push_back(psdtest::RleChannel(id, p.planes[static_cast<size_t>(id)], w, h));
    return out;
}

// Stacks a layer onto the canvas planes with normal blending: alpha from the layer, scaled by the
// mask (inside its rectangle; default 255 outside) and by the layer's opacity.
void stack(std::array<Bytes, 3>& canvas, const Picture& p, uint8_t opacity, const Bytes* mask = nullptr,
           const Rect& maskRect = {}) {
    for (int32_t y = std::max(0, p.bounds.top); y < std::min(kHeight, p.bounds.bottom); ++y) {
        for (int32_t x = std::max(0, p.bounds.left); x < std::min(kWidth, p.bounds.right); ++x) {
            const size_t i = static_cast<size_t>((y - p.bounds.top) * p.bounds.Width() + (x - p.bounds.left));
            double a = p.planes[3][i] / 255.0 * opacity / 255.0;
            if (mask && x >= maskRect.left && x < maskRect.right && y >= maskRect.top &&
                y < maskRect.bottom) {
                a *= (*mask)[static_cast<size_t>((y - maskRect.top) * maskRect.Width() +
                                                 (x - maskRect.left))] /
                     255.0;
            }
            const size_t j = static_cast<size_t>(y * kWidth + x);
            for (size_t c = 0; c < 3; ++c)
                canvas[c][j] = toByte(p.planes[c][i] * a + canvas[c][j] * (1 - a));
        }
    }
}

}  // namespace

psdtest::Document sampleDocument() {
    const Picture skyLayer = sky(), hillLayer = hills(), treeLayer = tree(), sunLayer = sun(),
                  noteLayer = note();
    const Bytes mask = lakeMask();

    psdtest::Document doc = psdtest::Canvas(kWidth, kHeight, 3);

    psdtest::Layer background = psdtest::LayerAt(skyLayer.bounds, channels(skyLayer, false), "Background");
    psdtest::Layer hillsLayer = psdtest::LayerAt(hillLayer.bounds, channels(hillLayer, true), "Hills");
    hillsLayer.channels.push_back(psdtest::RleChannel(-2, mask, kLakeRect.Width(), kLakeRect.Height()));
    hillsLayer.maskData = psdtest::MaskData(kLakeRect, 255, 0);
    psdtest::Layer treeRecord = psdtest::LayerAt(treeLayer.bounds, channels(treeLayer, true), "Tree");
    treeRecord.additionalInfo.push_back(psdtest::LuniBlock(u"\u0414\u0435\u0440\u0435\u0432\u043e"));
    psdtest::Layer sunRecord = psdtest::LayerAt(sunLayer.bounds, channels(sunLayer, true), "Sun");
    sunRecord.additionalInfo.push_back(psdtest::LuniBlock(u"Sun"));
    psdtest::Layer noteRecord = psdtest::LayerAt(noteLayer.bounds, channels(noteLayer, true), "Hidden note");
    noteRecord.flags = 0x02;  // hidden
    noteRecord.opacity = 128;
    doc.layers = {background, hillsLayer, treeRecord, sunRecord, noteRecord};

    std::array<Bytes, 3> merged{skyLayer.planes[0], skyLayer.planes[1], skyLayer.planes[2]};
    stack(merged, hillLayer, 255, &mask, kLakeRect);
    stack(merged, treeLayer, 255);
    stack(merged, sunLayer, 255);
    doc.mergedCompression = 1;
    doc.mergedPlanes = {merged[0], merged[1], merged[2]};
    return doc;
}

}  // namespace lvx::sample
