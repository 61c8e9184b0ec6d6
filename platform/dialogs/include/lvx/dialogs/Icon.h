// A form's icon: an indexed image with a 256-colour palette. The toolkit only keeps and reports it;
// the artwork belongs to whoever builds the form.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace lvx::dialogs {

struct IconImage {
    int width = 0;
    int height = 0;
    // Colour values laid out 0x00BBGGRR (red in the low byte).
    std::array<std::uint32_t, 256> palette{};
    // width x height palette indices, rows from the top.
    std::vector<std::uint8_t> pixels;
};

}  // namespace lvx::dialogs
