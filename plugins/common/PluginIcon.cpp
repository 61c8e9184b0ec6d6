#include "PluginIcon.h"

#include <cstdint>
#include <cstdlib>

namespace lvx::plugins {
namespace {

constexpr int kSize = 48;
constexpr int kBevel = 6;

// A raised tile: a palette of 256 colours from deep blue over violet to warm orange, a diagonal
// gradient inside, a light bevel along the top and left edges and a dark one along the bottom and
// right, and a small white spark near the top-left corner.
std::shared_ptr<const lvx::dialogs::IconImage> MakeIcon() {
    auto icon = std::make_shared<lvx::dialogs::IconImage>();
    icon->width = kSize;
    icon->height = kSize;
    for (uint32_t i = 0; i < 256; ++i) {
        const uint32_t red = 40 + i * 215 / 255;
        const uint32_t green = 30 + (i < 128 ? i / 2 : (255 - i) / 2 + 64) * 3 / 4;
        const uint32_t blue = 200 - i * 170 / 255;
        icon->palette[i] = red | green << 8 | blue << 16;
    }
    icon->palette[0] = 0x00000000;    // outline
    icon->palette[255] = 0x00FFFFFF;  // spark
    icon->pixels.resize(kSize * kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            int index = 16 + (x + y) * 200 / (2 * (kSize - 1));
            if (x < kBevel && y < kSize - x) index = 230;              // lit left edge
            if (y < kBevel && x < kSize - y) index = 240;              // lit top edge
            if (x >= kSize - kBevel && y >= kSize - 1 - x) index = 4;  // shaded right edge
            if (y >= kSize - kBevel && x >= kSize - 1 - y) index = 2;  // shaded bottom edge
            if (x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1) index = 0;
            if (std::abs(x - 14) + std::abs(y - 14) <= 3 && (x == 14 || y == 14)) index = 255;
            icon->pixels[static_cast<size_t>(y * kSize + x)] = static_cast<uint8_t>(index);
        }
    }
    return icon;
}

}  // namespace

std::shared_ptr<const lvx::dialogs::IconImage> PluginIcon() {
    static const std::shared_ptr<const lvx::dialogs::IconImage> icon = MakeIcon();
    return icon;
}

}  // namespace lvx::plugins
