// Location of the file's sections and validation of its header.
#include <algorithm>
#include <cstring>

#include "Lamivex.h"
#include "ResultCodes.h"

namespace {
constexpr uint32_t kHardDimensionLimit = 30001;
constexpr uint16_t kRgb = 3;
}  // namespace

void CLamivex::LocateSections() {
    fileStart = mapping.view;
    CheckPosition(fileStart);
    colorModeData = Advance(fileStart, 26);
    CheckPosition(colorModeData);
    imageResources = Advance(colorModeData, 4 + uint64_t{Read32(colorModeData)});
    CheckPosition(imageResources);
    layerAndMaskInfo = Advance(imageResources, 4 + uint64_t{Read32(imageResources)});
    CheckPosition(layerAndMaskInfo);
    const uint32_t length = Read32(layerAndMaskInfo);
    imageData = Advance(layerAndMaskInfo, 4 + uint64_t{length});
    CheckPosition(imageData);
    if (length == 0) {
        layerCount = 0;
        return;
    }
    layerInfo = Advance(layerAndMaskInfo, 4);
    CheckPosition(layerInfo);
    globalLayerMaskInfo = Advance(layerInfo, 4 + uint64_t{Read32(layerInfo)});
    CheckPosition(globalLayerMaskInfo);
    layerCountField = Advance(layerInfo, 4);
    CheckPosition(layerCountField);
    const auto stored = static_cast<int16_t>(Read16(layerCountField));
    // -32768 has no positive counterpart in 16 bits; no writer stores it.
    if (stored == INT16_MIN) throw CException{code::kOutOfFile};
    layerCount = static_cast<int16_t>(stored < 0 ? -stored : stored);
}

void CLamivex::ValidateHeader(int32_t maxDimension) {
    CheckRange(fileStart, 26);
    const uint8_t* p = fileStart;
    std::memcpy(header.signature, p, 4);
    header.version = Read16(p + 4);
    std::memcpy(header.reserved, p + 6, 6);
    header.channelCount = Read16(p + 12);
    header.height = Read32(p + 14);
    header.width = Read32(p + 18);
    header.depth = Read16(p + 22);
    header.colorMode = Read16(p + 24);

    if (header.signature[0] != '8' || header.signature[1] != 'B' || header.signature[2] != 'P' ||
        header.signature[3] != 'S' || header.version != 1 || header.channelCount >= 24)
        throw CException{code::kBadHeader};
    const uint32_t limit = std::min(static_cast<uint32_t>(maxDimension), kHardDimensionLimit);
    if (header.height > limit || header.width > limit) throw CException{code::kTooLarge};
    if (header.depth != 8) throw CException{code::kNot8Bit};
    if (header.colorMode != kRgb) throw CException{code::kNotRgb};
}
