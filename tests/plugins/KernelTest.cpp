// The effect kernels and the frame's helpers, called directly (the same code the modules compile in).
#include <gtest/gtest.h>

#include <cmath>

#include "BlendValue.h"
#include "ButtonEffect.h"
#include "ColorScaling.h"
#include "ColorsEffect.h"
#include "DiffuseEffect.h"
#include "MollivoEffect.h"
#include "Picture.h"
#include "Progress.h"
#include "Rounding.h"
#include "UmbrinoEffect.h"
#include "lvx/Dialogs.h"
#include "lvx/runtime.h"

namespace lvx::plugins {
namespace {

using test::Picture;

TEST(BlendValue, MollivoAndUmbrinoPassTables) {
    const uint32_t mollivo[6] = {0x00FF0000, 0x00D70000, 0x00AF0000, 0x00870000, 0x005F0000, 0x00370000};
    for (int j = 0; j < 6; ++j)
        EXPECT_EQ(MollivoPassBlend(j), mollivo[j]) << "pass " << j;
    const uint32_t umbrino[7] = {0x00D00000, 0x00A80000, 0x00800000, 0x00580000,
                                 0x00300000, 0x00080000, 0xFFE00000};
    for (int16_t d = -2; d <= 4; ++d)
        EXPECT_EQ(UmbrinoPassBlend(d), umbrino[d + 2]) << "pass " << d;
}

TEST(RoundToInt16, AgreesWithTheRuntimeConversion) {
    const double values[] = {0.5,       1.5,     2.5,        -0.5,    -1.5,     -2.5,   3.4999999,
                             5.0000001, 0.1 * 5, 255 * 1.09, 32767.4, -32768.5, 1e-300, -0.0};
    for (double v : values)
        EXPECT_EQ(RoundToInt16(v), lvx::CInt(v)) << v;
    for (double v : {32767.5, -32768.50001, 1e9, std::nan("")}) {
        EXPECT_THROW(lvx::CInt(v), lvx::RuntimeError) << v;
        EXPECT_THROW(RoundToInt16(v), lvx::RuntimeError) << v;
    }
}

TEST(MollivoOffset, RoundsTwiceRMinusOneHalfToEven) {
    EXPECT_EQ(MollivoOffset(0.0f), -1);
    EXPECT_EQ(MollivoOffset(std::nextafter(0.25f, 0.0f)), -1);
    EXPECT_EQ(MollivoOffset(0.25f), 0);  // -0.5 rounds to 0
    EXPECT_EQ(MollivoOffset(0.75f), 0);  // 0.5 rounds to 0
    EXPECT_EQ(MollivoOffset(std::nextafter(0.75f, 1.0f)), 1);
    EXPECT_EQ(MollivoOffset(std::nextafter(1.0f, 0.0f)), 1);
}

TEST(Progress, RowAndRepetitionPercentages) {
    const int32_t h4[5] = {0, 25, 50, 75, 100};
    for (int y = 0; y <= 4; ++y)
        EXPECT_EQ(RowPercent(y, 4), h4[y]);
    EXPECT_EQ(RowPercent(1, 8), 12);     // 0.125 rounds to 0.12
    EXPECT_EQ(RowPercent(3, 8), 38);     // 0.375 rounds to 0.38
    EXPECT_EQ(RowPercent(29, 100), 29);  // 0.29 x 100 is 28.999..., written as the whole 29
    EXPECT_EQ(RowPercent(0, 0), 100);    // the single row of a picture of height 0
    const int32_t n8[8] = {12, 25, 38, 50, 62, 75, 88, 100};
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(FractionPercent(i, 8), n8[i - 1]);
    EXPECT_EQ(PercentCaption("Размытие выполнено на ", 12), "Размытие выполнено на 12%");
}

class GetClrTest : public ::testing::Test {
  protected:
    lvx::dialogs::ScriptedUser user_;
    lvx::dialogs::ScopedUser scope_{user_};
};

TEST_F(GetClrTest, PointOutsideReadsInvalidColourAndGivesBlackWithoutMessage) {
    Picture picture(2, 2, [](int, int) { return 0x00FFFFFF; });
    EXPECT_EQ(GetClr(picture.dc(), 2, 0, {1, 1, 1}, "Colors"), 0);
    EXPECT_EQ(GetClr(picture.dc(), -1, 5, {2, 2, 2}, "Button"), 0);
    EXPECT_TRUE(user_.messages().empty());
}

TEST_F(GetClrTest, ScalesEachChannelWithTiesToEvenAndClamps) {
    struct Case {
        uint32_t colour;
        ChannelFactors factors;
        uint32_t expected;
    };
    const Case cases[] = {
        {0x00030201, {0.5, 0.5, 0.5}, 0x00020100},  // 1.5 -> 2, 1 -> 1, 0.5 -> 0
        {0x00000005, {0.5, 1, 1}, 0x00000002},      // 2.5 -> 2
        {0x00000005, {0.1, 1, 1}, 0x00000000},      // 0.5 -> 0
        {0x00C864FF, {0, 2, 2}, 0x00FFC800},        // red 0, green 100 -> 200, blue 200 -> 255
    };
    Picture picture(1, 1, [](int, int) { return 0; });
    for (const Case& c : cases) {
        picture.set(0, 0, c.colour);
        EXPECT_EQ(uint32_t(GetClr(picture.dc(), 0, 0, c.factors, "Colors")), c.expected)
            << std::hex << c.colour;
    }
}

TEST_F(GetClrTest, ConversionErrorShowsItsDescriptionAndGivesBlack) {
    // A product beyond 16 bits fails the conversion; the plug-ins' own factors never get there.
    Picture picture(1, 1, [](int, int) { return 0x00808080; });
    lvx::dialogs::EventLog log;
    EXPECT_EQ(GetClr(picture.dc(), 0, 0, {1000, 1, 1}, "Button"), 0);
    ASSERT_EQ(log.messageBoxes().size(), 1u);
    EXPECT_EQ(log.messageBoxes()[0].text, "Overflow");
    EXPECT_EQ(log.messageBoxes()[0].title, "Button");
}

TEST(DiffuseSign, PlusOneWithProbabilityOfTheThreshold) {
    lvx::SetRndState(0x123456);
    int plus = 0;
    constexpr int kDraws = 200000;
    for (int i = 0; i < kDraws; ++i)
        plus += DiffuseSign() == 1;
    EXPECT_NEAR(double(plus) / kDraws, 0.45555, 0.005);
}

TEST(DiffuseOffset, DrawsSignBeforeMagnitudeOnlyWhereTheDirectionLeavesItFree) {
    struct Case {
        DiffuseDirection direction;
        bool horizontal;
        int draws;
    };
    const Case cases[] = {
        {DiffuseDirection::Sluch, true, 2},  {DiffuseDirection::Sluch, false, 2},
        {DiffuseDirection::Sverhu, true, 2}, {DiffuseDirection::Sverhu, false, 1},
        {DiffuseDirection::Sprava, true, 1}, {DiffuseDirection::Sprava, false, 2},
    };
    for (const Case& c : cases) {
        lvx::SetRndState(777);
        const int16_t offset = DiffuseOffset(c.horizontal, c.direction, 10);
        lvx::SetRndState(777);
        float r[2];
        for (int i = 0; i < c.draws; ++i)
            r[i] = lvx::Rnd();
        const int sign = c.draws == 2 ? (double(r[0]) + 0.45555 > 1 ? 1 : -1) : 1;
        EXPECT_EQ(offset, lvx::CInt(double(r[c.draws - 1]) * 10 * sign));
        EXPECT_EQ(lvx::RndState(), [&] {
            lvx::SetRndState(777);
            for (int i = 0; i < c.draws; ++i)
                lvx::Rnd();
            return lvx::RndState();
        }());
    }
}

// Loops near the 16-bit limit end, and their targets beyond the surface are dropped.
TEST(LargePicture, EffectsEndAtTheWidestWidth) {
    constexpr int16_t kWide = 32767;
    Picture picture(kWide, 2, test::Varied);
    const auto before = picture.colours();
    int rows = 0;
    ScaleColors(picture.dc(), kWide, 1, {100, 100, 100}, [&](int32_t) { ++rows; });
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(picture.colours(), before);

    int steps = 0;
    DrawBevel(picture.dc(), kWide, 1, 0, 0.5, [&](int) { ++steps; });
    EXPECT_EQ(steps, 4);

    lvx::SetRndState(99);
    rows = 0;
    DiffusePixels(picture.dc(), kWide, 1, 10, DiffuseDirection::Sprava, [&](int32_t) { ++rows; });
    EXPECT_EQ(rows, 2);
}

}  // namespace
}  // namespace lvx::plugins
