// Memory exhaustion: the n-th allocation throws, for every n that opening and decoding a document with
// layers reaches. No exception may leave an export and no document may stay half open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "LamivexTest.h"

namespace {
// 0: no failure planned. Counting only while armed, so gtest's own allocations are left alone.
long failAt = 0;
long allocations = 0;
bool armed = false;
}  // namespace

// Every form of the global allocator goes through Allocate, so that none escapes the count (a
// sanitizer runtime would otherwise serve the forms left out, and pair them wrongly on release).
namespace {
void* Allocate(size_t size) {
    if (armed && ++allocations == failAt) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* AllocateNoThrow(size_t size) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
}  // namespace

void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

using namespace psdtest;

TEST(FailingAllocation, EveryFailureIsACodeAndLeavesNothingOpen) {
    Document d = Canvas(8, 6, 4);
    d.mergedCompression = 1;
    d.resources = {LayerGroups({1, 2, 3})};
    Layer masked = LayerAt(Rect{-1, -1, 5, 5},
                           {RawChannel(-1, Ramp(6, 6, 1)), RleChannel(0, Ramp(6, 6, 2), 6, 6),
                            RleChannel(-2, Flat(2, 2, 100), 2, 2)},
                           "masked");
    masked.maskData = MaskData(Rect{1, 1, 3, 3}, 0, 0);
    masked.additionalInfo = {LuniBlock(u"name")};
    d.layers = {masked, LayerAt(Rect{0, 0, 2, 2}, {RawChannel(1, Flat(2, 2, 3))}, "b"),
                LayerAt(Rect{0, 0, 1, 1}, {RawChannel(2, Bytes{4})}, "c")};
    TempFile file(d.Build());
    std::vector<uint8_t> buffer(1024);

    bool completed = false;
    for (failAt = 1; !completed && failAt < 10000; ++failAt) {
        Lamivex_Close();
        allocations = 0;
        armed = true;
        const int32_t opened = Lamivex_Open(file.path(), 30001, 0);
        bool decodedAll = opened == LAMIVEX_OK;
        if (opened == LAMIVEX_OK) {
            for (int32_t i = -1; i < 3; ++i) {
                LamivexRect rect{};
                const int32_t code =
                    Lamivex_GetImage(i, buffer.data(), static_cast<uint32_t>(buffer.size()), &rect);
                ASSERT_TRUE(code == LAMIVEX_OK || code == LAMIVEX_GENERIC_ERROR)
                    << failAt << ": image " << i << " gave " << code;
                decodedAll = decodedAll && code == LAMIVEX_OK;
            }
            ASSERT_EQ(Lamivex_GetLayerCount(), 3);
        } else {
            // The library reports memory exhaustion as 1; the file layer cannot open a handle without
            // memory and says so as a file error.
            ASSERT_TRUE(opened == LAMIVEX_UNSUPPORTED || opened == LAMIVEX_FILE_ERROR)
                << "allocation " << failAt << " gave " << opened;
            ASSERT_EQ(Lamivex_GetLayerCount(), LAMIVEX_NOT_OPEN);
        }
        completed = allocations < failAt && decodedAll;  // the planned failure was never reached
        armed = false;
    }
    Lamivex_Close();
    EXPECT_TRUE(completed);
    EXPECT_GT(failAt, 3) << "opening a layered document allocates";
}
