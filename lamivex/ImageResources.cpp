// The image resource walk; only resource 1026 (layer group ids) is read.
#include <cstring>

#include "Lamivex.h"
#include "ResultCodes.h"

namespace {
constexpr uint16_t kLayerGroups = 1026;
}

void CLamivex::ReadImageResources() {
    const uint8_t* p = imageResources + 4;
    for (;;) {
        // A block that starts in the last bytes of the file has no room for its signature.
        CheckRange(p, 4);
        if (std::memcmp(p, "8BIM", 4) != 0) return;
        const uint16_t id = Read16(p + 4);
        const uint8_t nameLength = Read8(p + 6);
        const uint8_t* sizeField = Advance(p, 6 + ((uint64_t{nameLength} + 2) & ~uint64_t{1}));
        const uint32_t size = Read32(sizeField);
        if (id == kLayerGroups) ReadLayerGroups(sizeField);
        const uint8_t* next = Advance(sizeField, 4 + ((uint64_t{size} + 1) & ~uint64_t{1}));
        CheckPosition(next);
        p = next;
    }
}

void CLamivex::ReadLayerGroups(const uint8_t* sizeField) {
    const uint32_t length = Read32(sizeField);
    const size_t count = layers.size();
    if (length / 2 < count) throw CException{code::kGeneric};
    const uint8_t* ids = sizeField + 4;
    CheckRange(ids, 2 * uint64_t{count});
    for (size_t j = 0; j < count; ++j) {
        const uint16_t v = static_cast<uint16_t>(ids[2 * j] << 8 | ids[2 * j + 1]);
        layers[j].groupId = v != 0 ? v : -1;
    }
}
