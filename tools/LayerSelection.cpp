#include "LayerSelection.h"

#include <algorithm>
#include <charconv>

namespace lvx::host {

namespace {

std::optional<int32_t> parseIndex(std::string_view text) {
    int32_t value = -1;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value < 0) return std::nullopt;
    return value;
}

}  // namespace

std::optional<LayerSelection> LayerSelection::parse(std::string_view text, std::string& error) {
    LayerSelection selection;
    if (text.empty()) {
        error = "the layer list is empty";
        return std::nullopt;
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) comma = text.size();
        const std::string_view item = text.substr(start, comma - start);
        start = comma + 1;

        if (item == "merged") {
            selection.merged = true;
            continue;
        }
        const size_t dash = item.find('-');
        const auto first = parseIndex(item.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : parseIndex(item.substr(dash + 1));
        if (!first || !last) {
            error = "'" + std::string(item) + "' is not a layer index, a range like 2-5, or 'merged'";
            return std::nullopt;
        }
        if (*last < *first) {
            error = "the range '" + std::string(item) + "' runs backwards";
            return std::nullopt;
        }
        selection.ranges.emplace_back(*first, *last);
    }
    return selection;
}

LayerSelection LayerSelection::all() {
    LayerSelection selection;
    selection.merged = true;
    selection.everyLayer = true;
    return selection;
}

bool LayerSelection::contains(int32_t index) const {
    if (index < 0) return merged;
    if (everyLayer) return true;
    for (const auto& [first, last] : ranges) {
        if (index >= first && index <= last) return true;
    }
    return false;
}

int32_t LayerSelection::highestIndex() const {
    int32_t highest = -1;
    for (const auto& range : ranges)
        highest = std::max(highest, range.second);
    return highest;
}

}  // namespace lvx::host
