// The generator is one per process: a separately loaded module seeds and draws from the same state,
// and an error thrown inside the runtime on the module's behalf is caught here by its type.
#include <dlfcn.h>

#include <vector>

#include "ErrorNumber.h"

namespace lvx::test {
namespace {

class SharedState : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = RndState();
        module_ = dlopen(LVX_RUNTIME_PROBE_PLUGIN, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (module_ != nullptr) dlclose(module_);
        SetRndState(saved_);
    }
    void* module_ = nullptr;
    uint32_t saved_ = 0;
};

TEST_F(SharedState, ModuleSeedsTheGeneratorEveryoneDrawsFrom) {
    auto seed = reinterpret_cast<void (*)(float)>(dlsym(module_, "ProbeSeed"));
    auto moduleDraw = reinterpret_cast<float (*)()>(dlsym(module_, "ProbeDraw"));
    ASSERT_NE(seed, nullptr);
    ASSERT_NE(moduleDraw, nullptr);

    Randomize(500.0f);
    const std::vector<float> expected = {Rnd(), Rnd(), Rnd(), Rnd()};
    SetRndState(0x00FFFF);
    seed(500.0f);  // seeded inside the module...
    EXPECT_EQ(Rnd(), expected[0]) << "...drawn here";
    EXPECT_EQ(moduleDraw(), expected[1]) << "and the module continues the same sequence";
    EXPECT_EQ(Rnd(), expected[2]);
    EXPECT_EQ(moduleDraw(), expected[3]);
}

TEST_F(SharedState, ErrorCrossesTheModuleBoundaryByType) {
    auto parse = reinterpret_cast<int16_t (*)(const char*)>(dlsym(module_, "ProbeParse"));
    ASSERT_NE(parse, nullptr);
    EXPECT_EQ(parse("42"), 42);
    EXPECT_EQ(errorNumberOf([&] { parse("4x2"); }), kErrTypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { parse("40000"); }), kErrOverflow);
}

}  // namespace
}  // namespace lvx::test
