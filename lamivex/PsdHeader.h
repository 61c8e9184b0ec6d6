// The 26-byte file header in host byte order.
#ifndef LAMIVEX_PSDHEADER_H
#define LAMIVEX_PSDHEADER_H

#include <cstdint>

struct PsdHeader {
    char signature[4];
    uint16_t version;
    uint8_t reserved[6];
    uint16_t channelCount;
    uint32_t height;
    uint32_t width;
    uint16_t depth;
    uint16_t colorMode;
};

#endif
