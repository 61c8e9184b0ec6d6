#include "lvx/Guid.h"

#include <cstdio>

namespace lvx {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string GuidToString(REFGUID g) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2,
                  g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                  g.Data4[7]);
    return text;
}

std::optional<GUID> GuidFromString(std::string_view text) {
    // {8-4-4-4-12}: 32 digits, 4 dashes, 2 braces.
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    uint8_t bytes[16];
    size_t pos = 1;
    int byteIndex = 0;
    for (int group : {4, 2, 2, 2, 6}) {
        if (byteIndex != 0) {
            if (text[pos] != '-') return std::nullopt;
            ++pos;
        }
        for (int i = 0; i < group; ++i, pos += 2) {
            int hi = HexDigit(text[pos]);
            int lo = HexDigit(text[pos + 1]);
            if (hi < 0 || lo < 0) return std::nullopt;
            bytes[byteIndex++] = static_cast<uint8_t>(hi << 4 | lo);
        }
    }
    if (pos != 37) return std::nullopt;
    GUID g;
    g.Data1 = uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
    g.Data2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
    g.Data3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
    for (int i = 0; i < 8; ++i)
        g.Data4[i] = bytes[8 + i];
    return g;
}

}  // namespace lvx
