#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lvx::host {

// A layer name made safe as part of a file name on any system: ASCII letters, digits, '-', '_' and '.'
// are kept, every run of other bytes (spaces, slashes, accented letters) becomes one '_', leading and
// trailing '_' and '.' are dropped (no hidden files, no ".."), and the result is cut to 40 bytes.
std::string sanitizeLayerName(std::string_view latin1Name);

// "merged.png" for a negative index, else "layer-NNN-<sanitised name>.png" ("layer-NNN.png" when
// nothing of the name survives). The index is zero-padded to three digits so the files sort in order.
std::string imageFileName(int32_t index, std::string_view latin1Name);

}  // namespace lvx::host
