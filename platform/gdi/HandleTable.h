// The process-wide table behind every device-context and bitmap handle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lvx::gdi {

enum class ObjectKind : uint8_t { Free, SurfaceDc, MemoryDc, Bitmap, StockBitmap };

// One table entry. For a context the surface fields describe where it draws now (the host's memory
// or the selected bitmap), so that GetPixel and SetPixel need nothing beyond this slot.
struct Slot {
    uint32_t handle = 0;  // the live handle of this slot, 0 while free
    ObjectKind kind = ObjectKind::Free;
    bool readOnly = false;    // a context on the stock bitmap, or the stock bitmap itself
    uint16_t generation = 1;  // of the next handle this slot hands out
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    ptrdiff_t stride = 0;
    // Memory context: the bitmap selected into it. Bitmap: the context it is selected into, or 0.
    uint32_t link = 0;
    uint32_t nextFree = 0;               // next free slot index while free
    std::unique_ptr<uint8_t[]> storage;  // a bitmap's own pixels

    bool isDc() const { return kind == ObjectKind::SurfaceDc || kind == ObjectKind::MemoryDc; }
    bool isBitmap() const { return kind == ObjectKind::Bitmap || kind == ObjectKind::StockBitmap; }
    void setSurface(uint8_t* p, int32_t w, int32_t h, ptrdiff_t s) {
        pixels = p;
        width = w;
        height = h;
        stride = s;
    }
};

// Handle layout: bits 0-15 slot index, bits 16-30 generation (1 to 32767), bit 31 clear. A slot's
// generation advances when its object is freed, and freed slots are reused oldest first, so a stale
// handle is rejected until its slot has handed out 32767 more handles.
class HandleTable {
  public:
    static constexpr uint32_t kIndexBits = 16;
    static constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
    static constexpr uint32_t kGenerationLimit = 0x7FFFu;
    static constexpr uint32_t kCapacity = 1u << kIndexBits;

    HandleTable();

    // The live slot of `handle`, or nullptr. O(1): one bounds test and one comparison. A free slot
    // holds handle 0, and handle 0 itself points at slot 0, the stock bitmap, whose handle is not 0.
    Slot* find(uint32_t handle) {
        const uint32_t index = handle & kIndexMask;
        if (index >= used_) return nullptr;
        Slot* slot = &slots_[index];
        return slot->handle == handle ? slot : nullptr;
    }

    // A fresh slot of `kind` with its new handle set, or nullptr when all kCapacity slots are live.
    // Slots never move: pointers to them stay valid across allocate and release.
    Slot* allocate(ObjectKind kind);
    // Returns a live slot to the free list, retires its handle and frees what it owns.
    void release(Slot& slot);

    uint32_t liveCount() const { return live_; }
    uint32_t stockBitmap() const { return stockBitmap_; }

  private:
    void pushFree(uint32_t index);

    std::vector<Slot> slots_;  // capacity reserved up front, so elements never move
    uint32_t used_ = 0;        // slots_.size(), kept apart so that find need not divide
    uint32_t live_ = 0;
    uint32_t freeHead_ = kCapacity;  // kCapacity: no free slot
    uint32_t freeTail_ = kCapacity;
    uint32_t stockBitmap_ = 0;
    uint8_t stockPixel_[4] = {0, 0, 0, 255};
};

// The one table of the process; defined in HandleTable.cpp, not visible outside the library.
extern HandleTable g_table;

}  // namespace lvx::gdi
