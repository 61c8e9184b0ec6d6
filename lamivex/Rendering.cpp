// Decoding one layer or the merged image into the caller's blue-green-red-alpha buffer.
#include <cstring>

#include "Lamivex.h"
#include "PixelMath.h"
#include "ResultCodes.h"
#include "lvx/System.h"

namespace {

constexpr uint8_t kMaskDisabled = 0x02;

}  // namespace

CLamivex::ImageSource CLamivex::SelectImage(int32_t index, const uint8_t* buffer, uint32_t bufferSize) const {
    ImageSource source{};
    if (index < 0) {
        lvx::SetRect(&source.rect, 0, 0, static_cast<int32_t>(header.width),
                     static_cast<int32_t>(header.height));
    } else {
        if (static_cast<size_t>(index) >= layers.size()) throw CException{code::kBadIndex};
        source.layer = &layers[static_cast<size_t>(index)];
        source.rect = source.layer->bounds;
    }
    // An inverted rectangle describes no buffer: its two negative extents would multiply into a size.
    const int64_t width = Width(source.rect);
    const int64_t height = Height(source.rect);
    if (width < 0 || height < 0) throw CException{code::kOutOfFile};
    // Exact: extents reach 2^32 - 1 each, so the byte count is formed in 128 bits.
    if (buffer == nullptr) bufferSize = 0;
    if (static_cast<unsigned __int128>(width) * static_cast<uint64_t>(height) * 4 > bufferSize)
        throw CException{code::kUnsupported};
    return source;
}

void CLamivex::GetImage(int32_t index, uint8_t* buffer, uint32_t bufferSize, lvx::RECT* bufferRect) const {
    const ImageSource source = SelectImage(index, buffer, bufferSize);
    if (buffer == nullptr) bufferSize = 0;
    if (!DecodeBanded(source, buffer, bufferSize)) DecodePlain(source, buffer, bufferSize);
    *bufferRect = source.rect;
}

void CLamivex::GetImagePlain(int32_t index, uint8_t* buffer, uint32_t bufferSize,
                             lvx::RECT* bufferRect) const {
    const ImageSource source = SelectImage(index, buffer, bufferSize);
    if (buffer == nullptr) bufferSize = 0;
    DecodePlain(source, buffer, bufferSize);
    *bufferRect = source.rect;
}

void CLamivex::DecodePlain(const ImageSource& source, uint8_t* buffer, uint32_t bufferSize) const {
    const lvx::RECT& rect = source.rect;
    const int64_t width = Width(rect);
    const int64_t height = Height(rect);
    if (bufferSize != 0) std::memset(buffer, 0xFF, bufferSize);

    if (source.layer == nullptr) {
        const uint16_t compression = Read16(imageData);
        ChannelCursor cursor{imageData + 2, imageData + 2, rect, FileEnd()};
        if (compression != 0) {
            const uint64_t table = uint64_t{header.channelCount} * header.height * 2;
            CheckRange(cursor.position, table);
            cursor.data = cursor.position + table;
        }
        for (int32_t k = 0; k < header.channelCount; ++k) {
            if (compression == 0) CheckRange(cursor.position, static_cast<uint64_t>(width * height));
            DecodePlane(cursor, compression);
            WritePlane(buffer, decomp.GetBuffer(), static_cast<int16_t>(k < 3 ? k : -1), rect, rect);
            lvx::Sleep(0);
        }
        return;
    }
    const LayerRecord& layer = *source.layer;
    const LayerMask& mask = layer.mask;
    const bool maskEnabled = (mask.flags & kMaskDisabled) == 0;
    uint64_t offset = static_cast<uint64_t>(layer.channelData - mapping.view);
    for (const ChannelEntry& channel : layer.channels) {
        // Channels below -2 (the real user mask) cover a rectangle of their own that this reader does
        // not keep; they write nothing, so they are stepped over by their stored length.
        if (channel.id < -2) {
            offset += channel.length;
            lvx::Sleep(0);
            continue;
        }
        const lvx::RECT& decodeRect = channel.id == -2 ? mask.rect : rect;
        if (Width(decodeRect) < 0 || Height(decodeRect) < 0) throw CException{code::kOutOfFile};
        if (offset + 2 > mapping.size) throw CException{code::kOutOfFile};
        const uint8_t* at = mapping.view + offset;
        const uint16_t compression = Read16(at);
        ChannelCursor cursor{at + 2, at + 2, decodeRect, FileEnd()};
        if (compression == 0) {
            CheckRange(cursor.position, static_cast<uint64_t>(Width(decodeRect) * Height(decodeRect)));
        } else {
            const uint64_t table = static_cast<uint64_t>(Height(decodeRect)) * 2;
            CheckRange(cursor.position, table);
            cursor.data = cursor.position + table;
        }
        DecodePlane(cursor, compression);
        offset = static_cast<uint64_t>(cursor.data - mapping.view);
        if (channel.id != -2 || maskEnabled)
            WritePlane(buffer, decomp.GetBuffer(), channel.id, rect, mask.rect);
        if (channel.id == -2 && maskEnabled) ApplyMaskOutside(buffer, rect, mask.rect, mask.defaultColor);
        lvx::Sleep(0);
    }
}

void CLamivex::DecodePlane(ChannelCursor& cursor, uint16_t compression) const {
    // The scratch buffer was sized at open for every plane of the document; this only guards that
    // promise.
    const int64_t w = Width(cursor.rect), h = Height(cursor.rect);
    if (w > 0 && h > 0 && static_cast<uint64_t>(w * h) > CZanPsdDecomp::BufferSize())
        throw CException{code::kGeneric};
    if (compression == 0)
        decomp.DecodeRaw(cursor);
    else
        decomp.DecodeRle(cursor);
}

void CLamivex::WritePlane(uint8_t* buffer, const uint8_t* plane, int16_t id, const lvx::RECT& bounds,
                          const lvx::RECT& maskRect) const {
    if (id >= -1 && id <= 2) {
        const size_t lane = id == -1 ? 3 : static_cast<size_t>(2 - id);
        const size_t n = static_cast<size_t>(Width(bounds) * Height(bounds));
        if (n == 0) return;  // an empty image may come with no buffer at all
        uint8_t* out = buffer + lane;
        for (size_t i = 0; i < n; ++i)
            out[4 * i] = plane[i];
        return;
    }
    if (id != -2) return;
    lvx::RECT inside{};
    if (!lvx::IntersectRect(&inside, &maskRect, &bounds)) return;
    const int64_t bw = Width(bounds);
    const int64_t mw = Width(maskRect);
    const int64_t columns = Width(inside);
    for (int64_t y = inside.top; y < inside.bottom; ++y) {
        uint8_t* alpha = buffer + ((y - bounds.top) * bw + (inside.left - bounds.left)) * 4 + 3;
        const uint8_t* m = plane + (y - maskRect.top) * mw + (inside.left - maskRect.left);
        for (int64_t x = 0; x < columns; ++x)
            alpha[4 * x] = Scale(alpha[4 * x], m[x]);
    }
}

void CLamivex::ApplyMaskOutside(uint8_t* buffer, const lvx::RECT& bounds, const lvx::RECT& maskRect,
                                uint8_t defaultColor) const {
    // The overlap is found in document coordinates and then made relative to the layer, so that no
    // coordinate of a far-off mask rectangle can wrap.
    lvx::RECT overlap{};
    lvx::IntersectRect(&overlap, &maskRect, &bounds);
    const bool any = !lvx::IsRectEmpty(&overlap);
    const int64_t w = Width(bounds);
    const int64_t h = Height(bounds);
    if (w == 0 || h == 0) return;  // an empty image may come with no buffer at all
    const int64_t top = any ? overlap.top - int64_t{bounds.top} : 0;
    const int64_t bottom = any ? overlap.bottom - int64_t{bounds.top} : 0;
    const int64_t left = any ? overlap.left - int64_t{bounds.left} : 0;
    const int64_t right = any ? overlap.right - int64_t{bounds.left} : 0;
    auto scale = [&](int64_t y0, int64_t y1, int64_t x0, int64_t x1) {
        for (int64_t y = y0; y < y1; ++y) {
            uint8_t* alpha = buffer + (y * w + x0) * 4 + 3;
            for (int64_t x = 0; x < x1 - x0; ++x)
                alpha[4 * x] = Scale(alpha[4 * x], defaultColor);
        }
    };
    scale(0, top, 0, w);
    scale(bottom, h, 0, w);
    scale(top, bottom, 0, left);
    scale(top, bottom, right, w);
}
