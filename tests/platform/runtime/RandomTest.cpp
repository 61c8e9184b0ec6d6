// The uniform generator, its seeding from the clock, and the host's control of both.
#include <limits>
#include <vector>

#include "ErrorNumber.h"

namespace lvx::test {
namespace {

std::vector<float> draw(int n) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i)
        v.push_back(Rnd());
    return v;
}

class Generator : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = RndState(); }
    void TearDown() override {
        SetRndState(saved_);
        UseSystemClock();
    }
    uint32_t saved_ = 0;
};

TEST_F(Generator, StartStateGivesTheClassicFirstNumbers) {
    // The first numbers the classic 24-bit generator gives from its start state 0x50000.
    SetRndState(0x50000);
    EXPECT_FLOAT_EQ(Rnd(), 0.7055475f);
    EXPECT_FLOAT_EQ(Rnd(), 0.533424f);
    EXPECT_FLOAT_EQ(Rnd(), 0.5795186f);
}

TEST_F(Generator, FullPeriodCoversEveryValueBelowOneOnce) {
    // Over 2^24 draws every multiple of 1/2^24 in [0, 1) comes exactly once, and the state returns.
    SetRndState(12345);
    std::vector<bool> seen(1u << 24);
    uint32_t repeats = 0;
    for (uint32_t i = 0; i < (1u << 24); ++i) {
        const float r = Rnd();
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
        const uint32_t k = static_cast<uint32_t>(r * 16777216.0f);
        if (seen[k]) ++repeats;
        seen[k] = true;
    }
    EXPECT_EQ(repeats, 0u);
    EXPECT_EQ(RndState(), 12345u);
}

TEST_F(Generator, SameSeedSameNumbersWhateverCameBefore) {
    SetRndState(1);
    Randomize(45296.25f);
    const std::vector<float> first = draw(1000);
    SetRndState(0xABCDEF);
    Randomize(45296.25f);
    EXPECT_EQ(draw(1000), first);
    Randomize(45297.25f);
    EXPECT_NE(draw(1000), first) << "a second later, other numbers";
}

TEST_F(Generator, StateCanBeSavedAndRestored) {
    SetRndState(0x123456);
    EXPECT_EQ(RndState(), 0x123456u);
    const std::vector<float> first = draw(10);
    SetRndState(0x123456);
    EXPECT_EQ(draw(10), first);
    const uint32_t before = RndState();
    EXPECT_EQ(errorNumberOf([] { SetRndState(0x1000000); }), kErrInvalidCall);
    EXPECT_EQ(RndState(), before) << "a refused state changes nothing";
}

TEST_F(Generator, FixedClockReproducesClockSeededRuns) {
    SetFixedClock(3600.5f);
    EXPECT_EQ(Timer(), 3600.5f);
    Randomize();
    const std::vector<float> first = draw(500);
    SetRndState(777);
    Randomize();
    EXPECT_EQ(draw(500), first) << "the clock alone fixes a seeded run";
    Randomize(3600.5f);
    EXPECT_EQ(draw(500), first) << "Randomize() is Randomize(Timer())";
}

TEST_F(Generator, ClockValues) {
    EXPECT_EQ(errorNumberOf([] { SetFixedClock(-1.0f); }), kErrInvalidCall);
    EXPECT_EQ(errorNumberOf([] { SetFixedClock(86400.0f); }), kErrInvalidCall);
    EXPECT_EQ(errorNumberOf([] { SetFixedClock(std::numeric_limits<float>::quiet_NaN()); }), kErrInvalidCall);
    SetFixedClock(0.0f);
    EXPECT_EQ(Timer(), 0.0f);
    UseSystemClock();
    const float t = Timer();
    EXPECT_TRUE(t >= 0.0f && t < 86400.0f) << t;
}

}  // namespace
}  // namespace lvx::test
