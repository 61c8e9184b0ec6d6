// The layer records of the layer info: bounds, channel table, blend data, mask, names.
#include <algorithm>
#include <cstring>

#include "Lamivex.h"
#include "ResultCodes.h"

namespace {
constexpr size_t kMaxName = 67;
constexpr size_t kMaskFields = 18;  // rectangle, default colour, flags
}  // namespace

void CLamivex::ReadLayerRecords() {
    const auto stored = static_cast<int16_t>(Read16(layerInfo + 4));
    layerCount = static_cast<int16_t>(stored < 0 ? -stored : stored);
    layers.resize(static_cast<size_t>(layerCount));
    const uint8_t* p = Advance(layerInfo, 6);

    for (LayerRecord& record : layers) {
        record.bounds = ReadRect(p);
        record.channelCount = static_cast<int16_t>(Read16(p + 16));
        const uint8_t* q = Advance(p, 18);
        for (int16_t j = 0; j < record.channelCount; ++j) {
            CheckRange(q, 6);
            record.channels.push_back(ChannelEntry{static_cast<int16_t>(Read16(q)), Read32(q + 2)});
            q += 6;
        }

        CheckRange(q, 16);
        if (std::memcmp(q, "8BIM", 4) != 0) throw CException{code::kOutOfFile};
        std::memcpy(record.blendMode, q + 4, 4);
        record.opacity = q[8];
        record.clipping = q[9];
        record.flags = q[10];
        record.extraLength = Read32(q + 12);
        q += 16;

        ReadLayerMask(q, record.mask);
        q = Advance(q, 4 + uint64_t{Read32(q)});
        q = Advance(q, 4 + uint64_t{Read32(q)});  // blending ranges, skipped

        const uint8_t nameLength = Read8(q);
        const size_t kept = std::min<size_t>(nameLength, kMaxName);
        CheckRange(q + 1, kept);
        std::memcpy(record.name, q + 1, kept);
        record.name[kept] = '\0';
        q = Advance(q, (uint64_t{nameLength} + 4) & ~uint64_t{3});

        p = ReadAdditionalInfo(q, record);
    }
    channelDataStart = p;
}

void CLamivex::ReadLayerMask(const uint8_t* lengthField, LayerMask& mask) const {
    const uint32_t length = Read32(lengthField);
    if (length == 0) return;
    uint8_t fields[kMaskFields] = {};
    const size_t present = std::min<size_t>(length, kMaskFields);
    CheckRange(lengthField + 4, present);
    std::memcpy(fields, lengthField + 4, present);
    auto at = [&fields](int i) {
        return static_cast<int32_t>(uint32_t{fields[i]} << 24 | uint32_t{fields[i + 1]} << 16 |
                                    uint32_t{fields[i + 2]} << 8 | fields[i + 3]);
    };
    mask.rect = lvx::RECT{at(4), at(0), at(12), at(8)};
    mask.defaultColor = fields[16];
    mask.flags = fields[17];
}

const uint8_t* CLamivex::ReadAdditionalInfo(const uint8_t* position, LayerRecord& record) const {
    const uint8_t* q = position;
    // Fewer than four bytes left cannot hold a signature: the walk ends there, and whatever reads at
    // that position next checks its own extent.
    while (FileEnd() - q >= 4 && std::memcmp(q, "8BIM", 4) == 0) {
        CheckRange(q, 12);
        const uint32_t length = Read32(q + 8);
        if (std::memcmp(q + 4, "luni", 4) == 0) ReadUnicodeName(q + 12, record.name);
        q = Advance(q, 12 + uint64_t{length});
        CheckPosition(q);
    }
    return q;
}

void CLamivex::ReadUnicodeName(const uint8_t* countField, char* name) const {
    const uint32_t count = Read32(countField);
    const size_t k = std::min<size_t>(count, kMaxName);
    const uint8_t* units = countField + 4;
    CheckRange(units, 2 * uint64_t{k});
    size_t i = 0;
    for (; i < k; ++i) {
        const uint16_t u = static_cast<uint16_t>(units[2 * i] << 8 | units[2 * i + 1]);
        if (u == 0) {
            name[i] = '\0';
            return;
        }
        if (u > 255) return;
        name[i] = static_cast<char>(u);
    }
    name[i] = '\0';
}
