// Decoding in bands of rows. All channels of a band are decoded while the band is in the cache and
// each output pixel is written once, instead of one pass over the whole buffer per channel. The result
// equals the plane-by-plane route (DecodePlain) byte for byte: per pixel the same operations run in the
// same order on the same bytes. Whatever this route does not take (more than kMaxChannels channels,
// bands that do not fit the scratch buffer, any damaged or out-of-file data) goes to DecodePlain, which
// then also defines what the buffer holds after a failure.
#include <algorithm>
#include <array>
#include <cstring>

#include "Lamivex.h"
#include "PixelMath.h"
#include "ResultCodes.h"
#include "lvx/System.h"

namespace {

constexpr size_t kMaxChannels = 64;
constexpr int64_t kBandPixels = 16384;  // 64 KiB of output: a band's planes stay in the L2 cache

enum class Role : uint8_t {
    kSkip,        // below -2: stepped over, never read
    kDecodeOnly,  // decoded for its errors only (unknown ids, disabled masks, lanes written again later)
    kLane,        // the last plane of a colour lane, or of alpha when no mask takes part
    kAlpha,       // transparency while an enabled mask takes part: applied in list order with the masks
    kMask         // enabled user mask
};

// One plane as the bands consume it, row after row from its first row.
struct BandPlane {
    Role role;
    int lane;  // byte lane for kLane and kAlpha
    bool rle;
    lvx::RECT rect;         // the plane's decode rectangle
    const uint8_t* counts;  // run-length: the next row's byte count
    const uint8_t* rows;    // the next row's stored bytes
    const uint8_t* start;   // raw: the plane's first byte
    int64_t nextRow;        // document row of the next row to decode
    const uint8_t* band;    // kLane: the current band's rows
};

inline uint16_t Be16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void Interleave(uint8_t* __restrict out, const uint8_t* __restrict b, const uint8_t* __restrict g,
                const uint8_t* __restrict r, const uint8_t* __restrict a, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        out[4 * i + 0] = b[i];
        out[4 * i + 1] = g[i];
        out[4 * i + 2] = r[i];
        out[4 * i + 3] = a[i];
    }
}

void ScaleRow(uint8_t* alpha, const uint8_t* by, int64_t n) {
    for (int64_t x = 0; x < n; ++x)
        alpha[x] = Scale(alpha[x], by[x]);
}

void ScaleRow(uint8_t* alpha, uint8_t by, int64_t n) {
    for (int64_t x = 0; x < n; ++x)
        alpha[x] = Scale(alpha[x], by);
}

// Decodes the next rows of a plane into out (width bytes each), or for raw planes points at them.
const uint8_t* NextRows(BandPlane& p, int64_t rows, uint8_t* out) {
    const int64_t width = Width(p.rect);
    p.nextRow += rows;
    if (!p.rle) {
        const uint8_t* at = p.rows;
        p.rows += rows * width;
        return at;
    }
    for (int64_t y = 0; y < rows; ++y) {
        const size_t count = Be16(p.counts);
        CZanPsdDecomp::DecodeRow(p.rows, count, width, out + y * width);
        p.counts += 2;
        p.rows += count;
    }
    return out;
}

}  // namespace

bool CLamivex::DecodeBanded(const ImageSource& source, uint8_t* buffer, uint32_t bufferSize) const {
    const lvx::RECT& rect = source.rect;
    const int64_t w = Width(rect), h = Height(rect);
    const uint64_t size = mapping.size;
    const LayerRecord* layer = source.layer;
    const size_t channelTotal = layer ? layer->channels.size() : header.channelCount;
    // An empty image has no rows to band; the plane-by-plane route checks its channels without
    // visiting rows that hold no pixel.
    if (channelTotal > kMaxChannels || w == 0 || h == 0) return false;

    // Locate every plane and prove that all of its stored bytes lie inside the file. Offsets, not
    // pointers, until then.
    std::array<BandPlane, kMaxChannels> planes{};
    auto locate = [&](BandPlane& p, uint64_t at, bool rle) -> uint64_t {  // returns the end, 0 if outside
        const int64_t pw = Width(p.rect), ph = Height(p.rect);
        if (pw < 0 || ph < 0) return 0;
        p.rle = rle;
        p.nextRow = p.rect.top;
        if (!rle) {
            const uint64_t n = static_cast<uint64_t>(pw * ph);
            if (at > size || n > size - at) return 0;
            p.rows = p.start = mapping.view + at;
            return at + n;
        }
        return at;  // run-length: the caller places the row counts and the rows
    };
    auto rleRows = [&](BandPlane& p, uint64_t table, uint64_t rows) -> uint64_t {
        const uint64_t ph = static_cast<uint64_t>(Height(p.rect));
        if (table > size || 2 * ph > size - table || rows > size) return 0;
        uint64_t total = 0;
        for (uint64_t y = 0; y < ph; ++y)
            total += Be16(mapping.view + table + 2 * y);
        if (total > size - rows) return 0;
        p.counts = mapping.view + table;
        p.rows = mapping.view + rows;
        return rows + total;
    };

    bool maskMode = false;
    if (layer == nullptr) {
        const uint64_t at = static_cast<uint64_t>(imageData - mapping.view);
        if (at + 2 > size) return false;
        const bool rle = Be16(imageData) != 0;
        const uint64_t base = at + 2;
        const uint64_t plane = static_cast<uint64_t>(w * h);
        uint64_t rows = base + uint64_t{header.channelCount} * header.height * 2;
        for (size_t k = 0; k < channelTotal; ++k) {
            BandPlane& p = planes[k];
            p.rect = rect;
            p.role = Role::kLane;
            p.lane = k < 3 ? static_cast<int>(2 - k) : 3;
            if (!rle) {
                if (locate(p, base + k * plane, false) == 0) return false;
            } else {
                locate(p, 0, true);
                rows = rleRows(p, base + k * header.height * 2, rows);
                if (rows == 0) return false;
            }
        }
    } else {
        uint64_t offset = static_cast<uint64_t>(layer->channelData - mapping.view);
        const bool maskEnabled = (layer->mask.flags & 0x02) == 0;
        for (size_t k = 0; k < channelTotal; ++k) {
            const ChannelEntry& channel = layer->channels[k];
            BandPlane& p = planes[k];
            if (channel.id < -2) {
                p.role = Role::kSkip;
                offset += channel.length;
                continue;
            }
            p.rect = channel.id == -2 ? layer->mask.rect : rect;
            if (channel.id >= -1 && channel.id <= 2) {
                p.role = Role::kLane;
                p.lane = channel.id == -1 ? 3 : 2 - channel.id;
            } else {
                p.role = channel.id == -2 && maskEnabled ? Role::kMask : Role::kDecodeOnly;
                maskMode = maskMode || p.role == Role::kMask;
            }
            if (offset + 2 > size) return false;
            const bool rle = Be16(mapping.view + offset) != 0;
            const uint64_t at = offset + 2;
            if (Width(p.rect) < 0 || Height(p.rect) < 0) return false;
            if (!rle) {
                offset = locate(p, at, false);
                if (offset == 0) return false;
            } else {
                locate(p, at, true);
                offset = rleRows(p, at, at + 2 * static_cast<uint64_t>(Height(p.rect)));
                if (offset == 0) return false;
            }
        }
    }

    // Who writes what: the last plane of each lane; with an enabled mask every transparency plane works
    // on the alpha band in list order together with the masks.
    std::array<BandPlane*, 4> writer{};
    for (size_t k = 0; k < channelTotal; ++k) {
        BandPlane& p = planes[k];
        if (p.role != Role::kLane) continue;
        if (maskMode && p.lane == 3) {
            p.role = Role::kAlpha;
            continue;
        }
        if (writer[static_cast<size_t>(p.lane)])
            writer[static_cast<size_t>(p.lane)]->role = Role::kDecodeOnly;
        writer[static_cast<size_t>(p.lane)] = &p;
    }

    try {
        // Planes whose bytes end up nowhere are decoded first, for their errors alone.
        uint8_t* scratch = decomp.GetBuffer();
        for (size_t k = 0; k < channelTotal; ++k) {
            BandPlane& p = planes[k];
            if (p.role != Role::kDecodeOnly || !p.rle) continue;
            for (int64_t y = 0; y < Height(p.rect); ++y)
                NextRows(p, 1, scratch);
        }

        // Lay out the band regions in the scratch buffer: a row of 0xFF for absent lanes, one region per
        // run-length lane writer, the alpha band, and the mask rows.
        int64_t regions = 1 + (maskMode ? 1 : 0);
        int64_t maskWidth = 0;
        for (const BandPlane* p : writer)
            regions += p && p->rle;
        for (size_t k = 0; k < channelTotal; ++k)
            if (planes[k].role == Role::kMask) maskWidth = std::max(maskWidth, Width(planes[k].rect));
        const auto need = [&](int64_t rows) {
            return static_cast<uint64_t>(rows * (regions * w + maskWidth));
        };
        int64_t bandRows =
            std::clamp<int64_t>(kBandPixels / std::max<int64_t>(w, 1), 1, std::max<int64_t>(h, 1));
        while (bandRows > 1 && need(bandRows) > CZanPsdDecomp::BufferSize())
            bandRows = (bandRows + 1) / 2;
        if (need(bandRows) > CZanPsdDecomp::BufferSize()) return false;

        uint8_t* next = scratch;
        auto region = [&](int64_t bytes) {
            uint8_t* at = next;
            next += bytes;
            return at;
        };
        uint8_t* opaque = region(bandRows * w);
        std::memset(opaque, 0xFF, static_cast<size_t>(bandRows * w));
        uint8_t* alphaBand = maskMode ? region(bandRows * w) : nullptr;
        std::array<uint8_t*, 4> laneRegion{};
        for (size_t lane = 0; lane < 4; ++lane)
            if (writer[lane] && writer[lane]->rle) laneRegion[lane] = region(bandRows * w);
        uint8_t* maskRows = region(bandRows * maskWidth);

        for (int64_t by = 0; by < h; by += bandRows) {
            const int64_t n = std::min(bandRows, h - by);
            const int64_t docTop = rect.top + by, docBottom = docTop + n;
            for (size_t lane = 0; lane < 4; ++lane)
                if (writer[lane]) writer[lane]->band = NextRows(*writer[lane], n, laneRegion[lane]);
            if (maskMode) {
                std::memset(alphaBand, 0xFF, static_cast<size_t>(n * w));
                for (size_t k = 0; k < channelTotal; ++k) {
                    BandPlane& p = planes[k];
                    if (p.role == Role::kAlpha) {
                        const uint8_t* rows = NextRows(p, n, alphaBand);
                        if (rows != alphaBand) std::memcpy(alphaBand, rows, static_cast<size_t>(n * w));
                    } else if (p.role == Role::kMask) {
                        const int64_t mw = Width(p.rect);
                        // Run-length rows above the band (above the layer, in the first band) are decoded
                        // and dropped; raw rows are read where they lie, so none is visited in vain (a
                        // raw mask of width 0 may claim billions of rows).
                        const int64_t through = std::min<int64_t>(docBottom, p.rect.bottom);
                        while (p.rle && p.nextRow < through) {
                            const int64_t y = p.nextRow;
                            NextRows(p, 1, y >= docTop ? maskRows + (y - docTop) * mw : maskRows);
                        }
                        auto maskRow = [&](int64_t y) {
                            return p.rle ? maskRows + (y - docTop) * mw : p.start + (y - p.rect.top) * mw;
                        };
                        lvx::RECT inside{};
                        const bool any = lvx::IntersectRect(&inside, &p.rect, &rect);
                        for (int64_t y = docTop; y < docBottom; ++y) {
                            uint8_t* alpha = alphaBand + (y - docTop) * w;
                            if (!any || y < inside.top || y >= inside.bottom) {
                                ScaleRow(alpha, layer->mask.defaultColor, w);
                                continue;
                            }
                            const int64_t left = inside.left - int64_t{rect.left},
                                          right = inside.right - int64_t{rect.left};
                            ScaleRow(alpha + left, maskRow(y) + (inside.left - int64_t{p.rect.left}),
                                     right - left);
                            ScaleRow(alpha, layer->mask.defaultColor, left);
                            ScaleRow(alpha + right, layer->mask.defaultColor, w - right);
                        }
                    }
                }
            }
            const auto lane = [&](size_t i) { return writer[i] ? writer[i]->band : opaque; };
            if (w != 0)
                Interleave(buffer + by * w * 4, lane(0), lane(1), lane(2), maskMode ? alphaBand : lane(3),
                           static_cast<size_t>(n * w));
        }
        // Mask rows below the layer still have to decode cleanly.
        for (size_t k = 0; k < channelTotal; ++k) {
            BandPlane& p = planes[k];
            if (p.role == Role::kMask && p.rle)
                while (p.nextRow < p.rect.bottom)
                    NextRows(p, 1, maskRows);
        }
    } catch (const CZanPsdDecomp::CZanPsdDecompException&) {
        return false;
    }

    const uint64_t image = static_cast<uint64_t>(w * h) * 4;
    if (bufferSize > image) std::memset(buffer + image, 0xFF, bufferSize - image);
    for (size_t k = 0; k < channelTotal; ++k)
        lvx::Sleep(0);
    return true;
}
