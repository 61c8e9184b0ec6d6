#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lvx::host {

// The images chosen with --layers: a comma-separated list of layer indexes ("3"), inclusive ranges
// ("2-5") and the word "merged" for the merged image. Without --layers, everything is chosen.
struct LayerSelection {
    bool merged = false;
    bool everyLayer = false;
    std::vector<std::pair<int32_t, int32_t>> ranges;  // inclusive, first <= last

    // Parses text; std::nullopt with why in error when it is not a valid list.
    static std::optional<LayerSelection> parse(std::string_view text, std::string& error);
    // Everything: the merged image and every layer.
    static LayerSelection all();

    bool contains(int32_t index) const;
    // The largest layer index named, or -1 when only the merged image is chosen.
    int32_t highestIndex() const;
};

}  // namespace lvx::host
