#pragma once

#include <string>

#include "lamivex.h"

namespace lvx::host {

// Fields of an ImageInfo record as text: the name in UTF-8 and the blend key as its (at most four)
// bytes, with bytes outside printable ASCII written as \xNN so damaged keys stay readable.
std::string layerName(const ImageInfo& info);
std::string blendKey(const ImageInfo& info);
unsigned clipping(const ImageInfo& info);
unsigned layerFlags(const ImageInfo& info);
unsigned extraLengthLowByte(const ImageInfo& info);

}  // namespace lvx::host
