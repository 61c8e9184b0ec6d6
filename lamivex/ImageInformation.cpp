// The ImageInfo record for the whole image or one layer.
#include <cstring>

#include "Lamivex.h"
#include "ResultCodes.h"
#include "lvx/System.h"

int32_t CLamivex::GetImageInfo(ImageInfo* info) const {
    std::memset(reinterpret_cast<uint8_t*>(info) + sizeof(info->index), 0,
                sizeof(ImageInfo) - sizeof(info->index));
    const int32_t index = info->index;
    if (index < 0) {
        lvx::SetRect(reinterpret_cast<lvx::RECT*>(&info->bounds), 0, 0, static_cast<int32_t>(header.width),
                     static_cast<int32_t>(header.height));
        info->groupId = -1;
        info->opacity = 255;
        info->visible = 1;
        return LAMIVEX_OK;
    }
    if (static_cast<size_t>(index) >= layers.size()) return code::kBadIndex;

    const LayerRecord& record = layers[static_cast<size_t>(index)];
    info->groupId = record.groupId;
    info->bounds =
        LamivexRect{record.bounds.left, record.bounds.top, record.bounds.right, record.bounds.bottom};
    lvx::lstrcpyA(info->name, record.name);
    info->visible = (record.flags & 0x02) ? 0 : 1;
    std::memcpy(info->blendMode, record.blendMode, 4);
    info->blendMode[5] = static_cast<char>(record.clipping);
    info->blendMode[6] = static_cast<char>(record.flags);
    info->blendMode[7] = static_cast<char>(record.extraLength & 0xFF);
    info->opacity = record.opacity;
    info->maskEnabled = (record.mask.flags & 0x02) ? 0 : 1;
    return LAMIVEX_OK;
}
