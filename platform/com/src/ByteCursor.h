// Little-endian reading and writing of the resource block. Every read checks what is left of the
// block first, so a damaged length can never move past its end.
#ifndef LVX_BYTECURSOR_H
#define LVX_BYTECURSOR_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lvx/Guid.h"
#include "lvx/ModuleResources.h"

namespace lvx {

class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t remaining() const { return size_ - pos_; }

    const uint8_t* Take(size_t count) {
        if (count > remaining()) throw ResourceError("resource block ends early");
        const uint8_t* p = data_ + pos_;
        pos_ += count;
        return p;
    }
    uint8_t U8() { return *Take(1); }
    uint16_t U16() {
        const uint8_t* p = Take(2);
        return static_cast<uint16_t>(p[0] | p[1] << 8);
    }
    uint32_t U32() {
        const uint8_t* p = Take(4);
        return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    }
    std::string String() {
        uint16_t length = U16();
        const uint8_t* p = Take(length);
        return std::string(reinterpret_cast<const char*>(p), length);
    }
    GUID Guid() {
        GUID g;
        g.Data1 = U32();
        g.Data2 = U16();
        g.Data3 = U16();
        const uint8_t* p = Take(8);
        for (int i = 0; i < 8; ++i)
            g.Data4[i] = p[i];
        return g;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class ByteWriter {
  public:
    std::vector<uint8_t>& bytes() { return bytes_; }

    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void String(std::string_view s) {
        if (s.size() > UINT16_MAX) throw ResourceError("resource text longer than 65535 bytes");
        U16(static_cast<uint16_t>(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
    }
    void Guid(const GUID& g) {
        U32(g.Data1);
        U16(g.Data2);
        U16(g.Data3);
        bytes_.insert(bytes_.end(), g.Data4, g.Data4 + 8);
    }
    void Bytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }

  private:
    std::vector<uint8_t> bytes_;
};

}  // namespace lvx

#endif
