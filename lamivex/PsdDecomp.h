// Decoding of one channel plane (raw or run-length) into the process-wide scratch buffer.
#ifndef LAMIVEX_PSDDECOMP_H
#define LAMIVEX_PSDDECOMP_H

#include <cstddef>
#include <cstdint>

#include "lvx/Rect.h"

// Where one plane's stored bytes are and which rectangle it covers. limit is one past the last byte
// that may be read (the end of the mapped file); the decoders never read at or beyond it.
struct ChannelCursor {
    const uint8_t* position;  // run-length: next 16-bit row byte count; raw: first byte of the plane
    const uint8_t* data;      // run-length: first packed byte of the next row
    lvx::RECT rect;
    const uint8_t* limit;
};

class CZanPsdDecomp {
  public:
    // Thrown by value for corrupt run-length data; carries 310.
    struct CZanPsdDecompException {
        int32_t code;
    };

    virtual ~CZanPsdDecomp() = default;

    // First byte of the scratch buffer. Throws std::out_of_range while the buffer is empty.
    uint8_t* GetBuffer() const;

    // Grows the scratch buffer to max(area, 1) bytes if it is smaller; added bytes are 0. Never shrinks.
    // Throws std::bad_alloc when the memory cannot be had (the buffer keeps its old size and content).
    void SetBufferSize(int64_t area);

    // Current size of the scratch buffer in bytes.
    static size_t BufferSize();

    // Decodes the run-length plane of cursor.rect into the scratch buffer and advances the cursor past
    // it. Throws CZanPsdDecompException 310 when a row does not decode to exactly the plane's width,
    // when a run reaches past its row's stored end, or when a row's bytes reach past cursor.limit;
    // the cursor then keeps its old values. The row counts must lie before cursor.limit (the caller
    // checks the table). Counts are read as unsigned 16-bit numbers.
    void DecodeRle(ChannelCursor& cursor) const;

    // Decodes one run-length row of count stored bytes into width bytes at out. Throws
    // CZanPsdDecompException 310 when the row does not come out at exactly width bytes or a run reaches
    // past the row's stored end. The caller guarantees that the count bytes lie inside the file.
    static void DecodeRow(const uint8_t* in, size_t count, int64_t width, uint8_t* out);

    // Copies the raw plane of cursor.rect into the scratch buffer and advances the cursor past it. The
    // caller has checked that the plane lies before cursor.limit.
    void DecodeRaw(ChannelCursor& cursor) const;
};

#endif
