#include "ImageInfoText.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "Latin1.h"

namespace lvx::host {

std::string layerName(const ImageInfo& info) {
    // The library always ends the name with a NUL; strnlen keeps a damaged record from being overread.
    return latin1ToUtf8(std::string_view(info.name, strnlen(info.name, sizeof info.name)));
}

std::string blendKey(const ImageInfo& info) {
    std::string key;
    for (int i = 0; i < 4 && info.blendMode[i] != 0; ++i) {
        const auto byte = static_cast<unsigned char>(info.blendMode[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            key.push_back(static_cast<char>(byte));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            key += escaped;
        }
    }
    return key;
}

unsigned clipping(const ImageInfo& info) {
    return static_cast<unsigned char>(info.blendMode[5]);
}
unsigned layerFlags(const ImageInfo& info) {
    return static_cast<unsigned char>(info.blendMode[6]);
}
unsigned extraLengthLowByte(const ImageInfo& info) {
    return static_cast<unsigned char>(info.blendMode[7]);
}

}  // namespace lvx::host
