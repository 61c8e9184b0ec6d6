// The open PSD document: its file and mapping, the located sections, the layer records and the
// decoder. A CLamivex exists only fully parsed and never changes afterwards.
#ifndef LAMIVEX_LAMIVEX_H
#define LAMIVEX_LAMIVEX_H

#include <cstdint>
#include <vector>

#include "LayerRecord.h"
#include "PsdDecomp.h"
#include "PsdHeader.h"
#include "ZanFile.h"
#include "lamivex.h"

class CLamivex {
  public:
    // Thrown by value for parsing and decoding failures; carries the result code.
    struct CException {
        int32_t code;
    };

    // Opens, maps and parses path. Throws CZanFileException or CException; std::bad_alloc when memory
    // runs out.
    CLamivex(const char* path, int32_t maxDimension);
    virtual ~CLamivex() = default;
    CLamivex(const CLamivex&) = delete;
    CLamivex& operator=(const CLamivex&) = delete;

    int32_t GetLayerCount() const { return static_cast<int32_t>(layers.size()); }
    int32_t GetImageInfo(ImageInfo* info) const;
    // Decodes layer index (negative: the merged image) into buffer and sets *bufferRect. Throws
    // CException (311, 303, 1) before touching the buffer, and CZanPsdDecompException 310 or
    // CException 303 for damaged channel data, leaving the fill and the channels done before it.
    void GetImage(int32_t index, uint8_t* buffer, uint32_t bufferSize, lvx::RECT* bufferRect) const;

    // The same result by the straightforward route: one whole plane at a time into the scratch buffer,
    // scattered into its byte lane. GetImage decodes in bands of rows instead and takes this route for
    // whatever the bands cannot (damaged data, above all, so that a failure leaves exactly this state).
    void GetImagePlain(int32_t index, uint8_t* buffer, uint32_t bufferSize, lvx::RECT* bufferRect) const;

  private:
    void Parse(int32_t maxDimension);
    void LocateSections();
    void ValidateHeader(int32_t maxDimension);
    void ReadImageResources();
    void ReadLayerGroups(const uint8_t* sizeField);
    void ReadLayerRecords();
    void ReadLayerMask(const uint8_t* lengthField, LayerMask& mask) const;
    const uint8_t* ReadAdditionalInfo(const uint8_t* position, LayerRecord& record) const;
    void ReadUnicodeName(const uint8_t* countField, char* name) const;
    void LocateChannelData();
    void SizeScratchBuffer();

    struct ImageSource {
        lvx::RECT rect;
        const LayerRecord* layer;  // null for the merged image
    };
    ImageSource SelectImage(int32_t index, const uint8_t* buffer, uint32_t bufferSize) const;
    void DecodePlain(const ImageSource& source, uint8_t* buffer, uint32_t bufferSize) const;
    bool DecodeBanded(const ImageSource& source, uint8_t* buffer, uint32_t bufferSize) const;

    void WritePlane(uint8_t* buffer, const uint8_t* plane, int16_t id, const lvx::RECT& bounds,
                    const lvx::RECT& maskRect) const;
    void ApplyMaskOutside(uint8_t* buffer, const lvx::RECT& bounds, const lvx::RECT& maskRect,
                          uint8_t defaultColor) const;
    void DecodePlane(ChannelCursor& cursor, uint16_t compression) const;

    // Bounded access to the mapped file. Every read of the parse goes through these: a field is read
    // only once its whole extent is known to lie inside the file, else 303.
    void CheckPosition(const uint8_t* position) const;
    void CheckRange(const uint8_t* position, uint64_t length) const;
    const uint8_t* Advance(const uint8_t* position, uint64_t offset) const;
    const uint8_t* FileEnd() const { return mapping.view + mapping.size; }
    uint8_t Read8(const uint8_t* p) const;
    uint16_t Read16(const uint8_t* p) const;
    uint32_t Read32(const uint8_t* p) const;
    lvx::RECT ReadRect(const uint8_t* p) const;

    CZanFile file;
    CZanFileMapping mapping;
    const uint8_t* fileStart = nullptr;
    const uint8_t* colorModeData = nullptr;
    const uint8_t* imageResources = nullptr;
    const uint8_t* layerAndMaskInfo = nullptr;
    const uint8_t* imageData = nullptr;
    const uint8_t* layerInfo = nullptr;
    const uint8_t* globalLayerMaskInfo = nullptr;
    const uint8_t* layerCountField = nullptr;
    PsdHeader header{};
    int16_t layerCount = 0;
    std::vector<LayerRecord> layers;
    CZanPsdDecomp decomp;
    const uint8_t* channelDataStart = nullptr;
};

#endif
