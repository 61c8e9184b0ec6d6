// Where each layer's channel data begins, the compression check, and the scratch buffer's size.
#include <algorithm>

#include "Lamivex.h"
#include "PixelMath.h"
#include "ResultCodes.h"

void CLamivex::LocateChannelData() {
    CheckPosition(channelDataStart);
    // Offsets, not pointers: channel lengths of a damaged file may lead past the mapping, and only the
    // compression codes that are actually read must lie inside it.
    uint64_t offset = static_cast<uint64_t>(channelDataStart - mapping.view);
    for (LayerRecord& record : layers) {
        record.channelData = offset <= mapping.size ? mapping.view + offset : nullptr;
        for (const ChannelEntry& channel : record.channels) {
            if (offset + 2 > mapping.size) throw CException{code::kOutOfFile};
            const uint16_t compression = Read16(mapping.view + offset);
            if (compression > 1) throw CException{code::kUnsupported};
            offset += channel.length;
        }
    }
}

// The buffer must hold every plane a later decode can produce: the merged image's, and for each layer
// its bounds (channels -1 and up) and its mask rectangle (channel -2). Channels below -2 are never
// decoded. Areas are 64-bit; a plane larger than LAMIVEX_MAX_PLANE_AREA could never be delivered into a
// 32-bit sized buffer and is refused here, so that a damaged rectangle cannot ask for gigabytes.
void CLamivex::SizeScratchBuffer() {
    int64_t area = int64_t{header.width} * header.height;
    for (const LayerRecord& record : layers) {
        for (const ChannelEntry& channel : record.channels) {
            if (channel.id >= -1) area = std::max(area, Area(record.bounds));
            if (channel.id == -2) area = std::max(area, Area(record.mask.rect));
        }
    }
    if (area > int64_t{LAMIVEX_MAX_PLANE_AREA}) throw CException{code::kUnsupported};
    decomp.SetBufferSize(area);
}
