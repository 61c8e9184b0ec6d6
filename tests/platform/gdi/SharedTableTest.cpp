// The table is one per process: a context made here is drawn on by a separately loaded module.
#include <dlfcn.h>

#include "Picture.h"

namespace lvx::gdi::test {
namespace {

class SharedTable : public GdiTest {
  protected:
    void SetUp() override {
        GdiTest::SetUp();
        module_ = dlopen(LVX_GDI_PROBE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (module_ != nullptr) dlclose(module_);
        GdiTest::TearDown();
    }
    template <typename F>
    F* symbol(const char* name) {
        return reinterpret_cast<F*>(dlsym(module_, name));
    }
    void* module_ = nullptr;
};

TEST_F(SharedTable, HostContextResolvesInAnotherModule) {
    using Invert = COLORREF(HDC, int32_t, int32_t);
    using Copy = BOOL(HDC, int32_t, int32_t);
    Invert* invert = symbol<Invert>("ProbeInvertPixel");
    Copy* copy = symbol<Copy>("ProbeCopyThroughMemory");
    ASSERT_NE(invert, nullptr);
    ASSERT_NE(copy, nullptr);

    Picture picture(3, 2);
    picture.put(1, 1, {0x10, 0x20, 0x30, 0x40});
    EXPECT_EQ(invert(picture.dc(), 1, 1), 0x00EFDFCFu);
    EXPECT_EQ(picture.at(1, 1), (Bgra{0xEF, 0xDF, 0xCF, 0x40}));
    EXPECT_EQ(invert(picture.dc(), 3, 0), CLR_INVALID);

    EXPECT_TRUE(copy(picture.dc(), 3, 2));
    EXPECT_EQ(picture.at(1, 1), (Bgra{0xEF, 0xDF, 0xCF, 0x40})) << "copied out and back unchanged";
    // The fixture checks that the module's objects are gone from the one table.
}

}  // namespace
}  // namespace lvx::gdi::test
