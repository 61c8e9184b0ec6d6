// Composes PSD bytes in memory, field by field, so that each test builds the smallest file that shows
// its case. Every field has the value a well-formed file would hold unless the test overrides it.
#ifndef LAMIVEX_TESTS_PSDBUILDER_H
#define LAMIVEX_TESTS_PSDBUILDER_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace psdtest {

using Bytes = std::vector<uint8_t>;

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

void Put8(Bytes& out, uint8_t v);
void Put16(Bytes& out, uint16_t v);
void Put32(Bytes& out, uint32_t v);
void PutBytes(Bytes& out, const Bytes& data);
void PutText(Bytes& out, const std::string& text);  // the characters, no length, no NUL
void PutRect(Bytes& out, const Rect& r);            // top, left, bottom, right

// PackBits rows: the row byte counts (16-bit each, one per row) and the packed rows.
struct RlePlane {
    Bytes counts;
    Bytes rows;
};
RlePlane EncodeRle(const Bytes& plane, int32_t width, int32_t height);
// One row packed.
Bytes EncodeRleRow(const uint8_t* row, int32_t width);

// A layer channel: its id, compression code and the bytes stored after the code.
struct Channel {
    int16_t id = 0;
    uint16_t compression = 0;
    Bytes payload;
    std::optional<uint32_t> storedLength;  // the channel entry's length; default 2 + payload size
    uint32_t Length() const {
        return storedLength ? *storedLength : static_cast<uint32_t>(2 + payload.size());
    }
};
Channel RawChannel(int16_t id, const Bytes& plane);
Channel RleChannel(int16_t id, const Bytes& plane, int32_t width, int32_t height);
// A plane of width * height bytes, all value.
Bytes Flat(int32_t width, int32_t height, uint8_t value);
// A plane whose byte i is (seed + i * step) mod 256.
Bytes Ramp(int32_t width, int32_t height, uint8_t seed, uint8_t step = 1);

// Mask data as stored: rectangle, default colour, flags, padded with zeros to length bytes (at least 18).
Bytes MaskData(const Rect& rect, uint8_t defaultColor, uint8_t flags, uint32_t length = 20);

// An additional information block: signature, key, length, data.
Bytes InfoBlock(const std::string& key, const Bytes& data, const std::string& signature = "8BIM");
// A "luni" block with the given code units; count defaults to their number.
Bytes LuniBlock(const std::u16string& units, std::optional<uint32_t> count = std::nullopt);

struct Layer {
    Rect bounds;
    std::vector<Channel> channels;
    std::optional<int16_t> storedChannelCount;  // default: channels.size()
    std::string blendSignature = "8BIM";
    std::string blendKey = "norm";
    uint8_t opacity = 255;
    uint8_t clipping = 0;
    uint8_t flags = 0;
    uint8_t filler = 0;
    std::optional<uint32_t> extraLength;  // default: what follows it up to the next record
    Bytes maskData;                       // the mask data's M bytes
    Bytes blendingRanges;
    std::string name;                   // Pascal name bytes (at most 255)
    std::vector<Bytes> additionalInfo;  // complete blocks, in order
};

// A layer covering bounds with the given channels and every other field at its default.
Layer LayerAt(const Rect& bounds, std::vector<Channel> channels = {}, const std::string& name = "");

struct Resource {
    uint16_t id = 0;
    std::string name;
    Bytes data;
    std::string signature = "8BIM";
};
// Resource 1026 with one group id per layer.
Resource LayerGroups(const std::vector<uint16_t>& ids);

struct Document {
    std::string signature = "8BPS";
    uint16_t version = 1;
    Bytes reserved = Bytes(6, 0);
    uint16_t channelCount = 3;
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t depth = 8;
    uint16_t colorMode = 3;
    Bytes colorModeData;
    std::vector<Resource> resources;
    Bytes resourceTail;  // bytes stored after the resource blocks, inside the section
    std::vector<Layer> layers;
    std::optional<int16_t> storedLayerCount;  // default: layers.size()
    // Without layers the layer and mask information is empty (length 0) unless this is set.
    bool forceLayerInfo = false;
    Bytes globalLayerMaskInfo;
    // The merged image: its compression code and planes (width * height bytes each, in channel order).
    uint16_t mergedCompression = 0;
    std::vector<Bytes> mergedPlanes;
    // When set, stored as the image data section instead of the encoded merged planes.
    std::optional<Bytes> imageData;

    Bytes Build() const;
};

// A document of width x height with a raw merged image of channelCount ramp planes.
Document Canvas(uint32_t width, uint32_t height, uint16_t channelCount = 3);

// A temporary file holding bytes, removed when the object goes.
class TempFile {
  public:
    explicit TempFile(const Bytes& bytes, const std::string& suffix = ".psd");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const char* path() const { return path_.c_str(); }
    void Rewrite(const Bytes& bytes) const;

  private:
    std::string path_;
};

}  // namespace psdtest

#endif
