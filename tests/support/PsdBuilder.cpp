#include "PsdBuilder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace psdtest {

void Put8(Bytes& out, uint8_t v) {
    out.push_back(v);
}
void Put16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
void Put32(Bytes& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v >> 16));
    Put16(out, static_cast<uint16_t>(v));
}
void PutBytes(Bytes& out, const Bytes& data) {
    out.insert(out.end(), data.begin(), data.end());
}
void PutText(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}
void PutRect(Bytes& out, const Rect& r) {
    Put32(out, static_cast<uint32_t>(r.top));
    Put32(out, static_cast<uint32_t>(r.left));
    Put32(out, static_cast<uint32_t>(r.bottom));
    Put32(out, static_cast<uint32_t>(r.right));
}

Bytes EncodeRleRow(const uint8_t* row, int32_t width) {
    Bytes out;
    int32_t i = 0;
    while (i < width) {
        int32_t run = 1;
        while (i + run < width && run < 128 && row[i + run] == row[i])
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(257 - run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        int32_t literal = 1;
        while (i + literal < width && literal < 128 &&
               !(i + literal + 1 < width && row[i + literal] == row[i + literal + 1]))
            ++literal;
        out.push_back(static_cast<uint8_t>(literal - 1));
        out.insert(out.end(), row + i, row + i + literal);
        i += literal;
    }
    return out;
}

RlePlane EncodeRle(const Bytes& plane, int32_t width, int32_t height) {
    RlePlane result;
    for (int32_t y = 0; y < height; ++y) {
        Bytes row = EncodeRleRow(plane.data() + static_cast<size_t>(y) * width, width);
        Put16(result.counts, static_cast<uint16_t>(row.size()));
        PutBytes(result.rows, row);
    }
    return result;
}

Channel RawChannel(int16_t id, const Bytes& plane) {
    return Channel{id, 0, plane, std::nullopt};
}

Channel RleChannel(int16_t id, const Bytes& plane, int32_t width, int32_t height) {
    RlePlane rle = EncodeRle(plane, width, height);
    Channel c{id, 1, rle.counts, std::nullopt};
    PutBytes(c.payload, rle.rows);
    return c;
}

Bytes Flat(int32_t width, int32_t height, uint8_t value) {
    return Bytes(static_cast<size_t>(width) * static_cast<size_t>(height), value);
}

Bytes Ramp(int32_t width, int32_t height, uint8_t seed, uint8_t step) {
    Bytes plane(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < plane.size(); ++i)
        plane[i] = static_cast<uint8_t>(seed + i * step);
    return plane;
}

Bytes MaskData(const Rect& rect, uint8_t defaultColor, uint8_t flags, uint32_t length) {
    Bytes out;
    PutRect(out, rect);
    Put8(out, defaultColor);
    Put8(out, flags);
    out.resize(std::max<size_t>(length, 18), 0);
    out.resize(length);
    return out;
}

Bytes InfoBlock(const std::string& key, const Bytes& data, const std::string& signature) {
    Bytes out;
    PutText(out, signature);
    PutText(out, key);
    Put32(out, static_cast<uint32_t>(data.size()));
    PutBytes(out, data);
    return out;
}

Bytes LuniBlock(const std::u16string& units, std::optional<uint32_t> count) {
    Bytes data;
    Put32(data, count ? *count : static_cast<uint32_t>(units.size()));
    for (char16_t u : units)
        Put16(data, static_cast<uint16_t>(u));
    return InfoBlock("luni", data);
}

Layer LayerAt(const Rect& bounds, std::vector<Channel> channels, const std::string& name) {
    Layer l;
    l.bounds = bounds;
    l.channels = std::move(channels);
    l.name = name;
    return l;
}

Resource LayerGroups(const std::vector<uint16_t>& ids) {
    Resource r;
    r.id = 1026;
    for (uint16_t id : ids)
        Put16(r.data, id);
    return r;
}

namespace {

Bytes LayerRecordBytes(const Layer& layer) {
    Bytes out;
    PutRect(out, layer.bounds);
    const int16_t count =
        layer.storedChannelCount ? *layer.storedChannelCount : static_cast<int16_t>(layer.channels.size());
    Put16(out, static_cast<uint16_t>(count));
    for (const Channel& c : layer.channels) {
        Put16(out, static_cast<uint16_t>(c.id));
        Put32(out, c.Length());
    }
    PutText(out, layer.blendSignature);
    PutText(out, layer.blendKey);
    Put8(out, layer.opacity);
    Put8(out, layer.clipping);
    Put8(out, layer.flags);
    Put8(out, layer.filler);

    Bytes extra;
    Put32(extra, static_cast<uint32_t>(layer.maskData.size()));
    PutBytes(extra, layer.maskData);
    Put32(extra, static_cast<uint32_t>(layer.blendingRanges.size()));
    PutBytes(extra, layer.blendingRanges);
    Put8(extra, static_cast<uint8_t>(layer.name.size()));
    PutText(extra, layer.name);
    const size_t nameField = (layer.name.size() + 4) & ~size_t{3};  // length byte, name, padding
    extra.resize(extra.size() + nameField - 1 - layer.name.size(), 0);
    for (const Bytes& block : layer.additionalInfo)
        PutBytes(extra, block);

    Put32(out, layer.extraLength ? *layer.extraLength : static_cast<uint32_t>(extra.size()));
    PutBytes(out, extra);
    return out;
}

}  // namespace

Bytes Document::Build() const {
    Bytes out;
    PutText(out, signature);
    Put16(out, version);
    PutBytes(out, reserved);
    Put16(out, channelCount);
    Put32(out, height);
    Put32(out, width);
    Put16(out, depth);
    Put16(out, colorMode);

    Put32(out, static_cast<uint32_t>(colorModeData.size()));
    PutBytes(out, colorModeData);

    Bytes resourceSection;
    for (const Resource& r : resources) {
        PutText(resourceSection, r.signature);
        Put16(resourceSection, r.id);
        Put8(resourceSection, static_cast<uint8_t>(r.name.size()));
        PutText(resourceSection, r.name);
        if (r.name.size() % 2 == 0) Put8(resourceSection, 0);
        Put32(resourceSection, static_cast<uint32_t>(r.data.size()));
        PutBytes(resourceSection, r.data);
        if (r.data.size() % 2 != 0) Put8(resourceSection, 0);
    }
    PutBytes(resourceSection, resourceTail);
    Put32(out, static_cast<uint32_t>(resourceSection.size()));
    PutBytes(out, resourceSection);

    if (layers.empty() && !forceLayerInfo) {
        Put32(out, 0);
    } else {
        Bytes layerInfo;
        Put16(layerInfo, static_cast<uint16_t>(storedLayerCount ? *storedLayerCount
                                                                : static_cast<int16_t>(layers.size())));
        for (const Layer& layer : layers)
            PutBytes(layerInfo, LayerRecordBytes(layer));
        for (const Layer& layer : layers)
            for (const Channel& c : layer.channels) {
                Put16(layerInfo, c.compression);
                PutBytes(layerInfo, c.payload);
            }
        if (layerInfo.size() % 2 != 0) Put8(layerInfo, 0);
        Bytes section;
        Put32(section, static_cast<uint32_t>(layerInfo.size()));
        PutBytes(section, layerInfo);
        Put32(section, static_cast<uint32_t>(globalLayerMaskInfo.size()));
        PutBytes(section, globalLayerMaskInfo);
        Put32(out, static_cast<uint32_t>(section.size()));
        PutBytes(out, section);
    }

    if (imageData) {
        PutBytes(out, *imageData);
        return out;
    }
    Put16(out, mergedCompression);
    if (mergedCompression == 0) {
        for (const Bytes& plane : mergedPlanes)
            PutBytes(out, plane);
    } else {
        Bytes rows;
        for (const Bytes& plane : mergedPlanes) {
            RlePlane rle = EncodeRle(plane, static_cast<int32_t>(width), static_cast<int32_t>(height));
            PutBytes(out, rle.counts);
            PutBytes(rows, rle.rows);
        }
        PutBytes(out, rows);
    }
    return out;
}

Document Canvas(uint32_t width, uint32_t height, uint16_t channelCount) {
    Document d;
    d.width = width;
    d.height = height;
    d.channelCount = channelCount;
    for (uint16_t k = 0; k < channelCount; ++k)
        d.mergedPlanes.push_back(
            Ramp(static_cast<int32_t>(width), static_cast<int32_t>(height), static_cast<uint8_t>(k * 50)));
    return d;
}

TempFile::TempFile(const Bytes& bytes, const std::string& suffix) {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/lamivex-test-XXXXXX" + suffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemps(name.data(), static_cast<int>(suffix.size()));
    if (fd < 0) throw std::runtime_error("cannot create a temporary file");
    close(fd);
    path_ = name.data();
    Rewrite(bytes);
}

TempFile::~TempFile() {
    std::remove(path_.c_str());
}

void TempFile::Rewrite(const Bytes& bytes) const {
    FILE* f = std::fopen(path_.c_str(), "wb");
    if (f == nullptr) throw std::runtime_error("cannot write " + path_);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace psdtest
