// Construction, the parse driver and bounded access to the mapped file.
#include <cstring>

#include "Lamivex.h"
#include "ResultCodes.h"

CLamivex::CLamivex(const char* path, int32_t maxDimension)
    : file(path, lvx::GENERIC_READ, lvx::FILE_SHARE_READ, lvx::OPEN_EXISTING), mapping(file.handle) {
    Parse(maxDimension);
}

void CLamivex::Parse(int32_t maxDimension) {
    channelDataStart = nullptr;
    LocateSections();
    ValidateHeader(maxDimension);
    if (layerCount != 0) ReadLayerRecords();
    ReadImageResources();
    if (layerCount != 0) LocateChannelData();
    SizeScratchBuffer();
}

// Addresses are compared as integers: a position computed from a damaged file is never formed as a
// pointer outside the view (Advance refuses first), and comparing integers has no undefined cases.
void CLamivex::CheckPosition(const uint8_t* position) const {
    const auto p = reinterpret_cast<uintptr_t>(position);
    const auto start = reinterpret_cast<uintptr_t>(mapping.view);
    if (p < start || p - start >= mapping.size) throw CException{code::kOutOfFile};
}

void CLamivex::CheckRange(const uint8_t* position, uint64_t length) const {
    const auto p = reinterpret_cast<uintptr_t>(position);
    const auto start = reinterpret_cast<uintptr_t>(mapping.view);
    if (p < start || p - start > mapping.size || length > mapping.size - (p - start))
        throw CException{code::kOutOfFile};
}

const uint8_t* CLamivex::Advance(const uint8_t* position, uint64_t offset) const {
    CheckRange(position, offset);
    return position + offset;
}

uint8_t CLamivex::Read8(const uint8_t* p) const {
    CheckRange(p, 1);
    return p[0];
}

uint16_t CLamivex::Read16(const uint8_t* p) const {
    CheckRange(p, 2);
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

uint32_t CLamivex::Read32(const uint8_t* p) const {
    CheckRange(p, 4);
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// Stored as top, left, bottom, right.
lvx::RECT CLamivex::ReadRect(const uint8_t* p) const {
    CheckRange(p, 16);
    auto at = [p](int i) {
        return static_cast<int32_t>(uint32_t{p[i]} << 24 | uint32_t{p[i + 1]} << 16 |
                                    uint32_t{p[i + 2]} << 8 | p[i + 3]);
    };
    return lvx::RECT{at(4), at(0), at(12), at(8)};
}
