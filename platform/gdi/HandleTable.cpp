#include "HandleTable.h"

namespace lvx::gdi {

namespace {
// Slots made ready at start: freed slots are reused oldest first, so with this many in the queue a
// stale handle of a create/delete loop stays rejected for a long time.
constexpr uint32_t kInitialSlots = 64;
}  // namespace

HandleTable g_table;

HandleTable::HandleTable() {
    slots_.reserve(kCapacity);
    // Slot 0 holds the stock default bitmap for the life of the process.
    Slot& stock = slots_.emplace_back();
    stock.kind = ObjectKind::StockBitmap;
    stock.handle = stock.generation << kIndexBits;
    stock.readOnly = true;
    stock.setSurface(stockPixel_, 1, 1, 4);
    stockBitmap_ = stock.handle;
    for (uint32_t i = 1; i < kInitialSlots; ++i) {
        slots_.emplace_back();
        pushFree(i);
    }
    used_ = kInitialSlots;
}

void HandleTable::pushFree(uint32_t index) {
    slots_[index].nextFree = kCapacity;
    if (freeTail_ == kCapacity) {
        freeHead_ = index;
    } else {
        slots_[freeTail_].nextFree = index;
    }
    freeTail_ = index;
}

Slot* HandleTable::allocate(ObjectKind kind) {
    uint32_t index;
    if (freeHead_ != kCapacity) {
        index = freeHead_;
        freeHead_ = slots_[index].nextFree;
        if (freeHead_ == kCapacity) freeTail_ = kCapacity;
    } else if (slots_.size() < kCapacity) {
        index = used_++;
        slots_.emplace_back();
    } else {
        return nullptr;
    }
    Slot& slot = slots_[index];
    slot.kind = kind;
    slot.handle = (static_cast<uint32_t>(slot.generation) << kIndexBits) | index;
    ++live_;
    return &slot;
}

void HandleTable::release(Slot& slot) {
    const uint32_t index = slot.handle & kIndexMask;
    const uint16_t generation = slot.generation == kGenerationLimit ? 1 : slot.generation + 1;
    slot = Slot{};
    slot.generation = generation;
    --live_;
    pushFree(index);
}

}  // namespace lvx::gdi
