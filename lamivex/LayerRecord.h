// What the document keeps of each layer: its record, user mask and channel table.
#ifndef LAMIVEX_LAYERRECORD_H
#define LAMIVEX_LAYERRECORD_H

#include <cstdint>
#include <vector>

#include "lvx/Rect.h"

struct ChannelEntry {
    int16_t id;       // 0 red, 1 green, 2 blue, -1 transparency, -2 user mask, -3 real user mask
    uint32_t length;  // stored bytes of the channel, its 2-byte compression code included
};

struct LayerMask {
    lvx::RECT rect;
    uint8_t defaultColor;
    uint8_t flags;  // bit 1 set: the mask is disabled
};

struct LayerRecord {
    lvx::RECT bounds;
    int16_t channelCount;  // as stored; 0 or less means no channel entries
    char blendMode[4];
    uint8_t opacity;
    uint8_t clipping;
    uint8_t flags;  // bit 1 set: the layer is hidden
    uint32_t extraLength;
    char name[68];
    int32_t groupId;
    const uint8_t* channelData;  // compression code of the first channel, inside the mapped file
    LayerMask mask;
    std::vector<ChannelEntry> channels;
};

#endif
