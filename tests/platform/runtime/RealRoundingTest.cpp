// Reals to 16- and 32-bit integers and decimal rounding, ties to even.
#include <cmath>
#include <limits>

#include "ErrorNumber.h"

namespace lvx::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ToInt {
    double x;
    int32_t want;  // ignored when the conversion must overflow
    bool overflows;
};

TEST(RealToInteger, SixteenBitTable) {
    const ToInt cases[] = {
        {0.5, 0, false},
        {1.5, 2, false},
        {2.5, 2, false},
        {3.5, 4, false},
        {-0.5, 0, false},
        {-1.5, -2, false},
        {-2.5, -2, false},
        {0.49999999999999994, 0, false},
        {0.5000000000000001, 1, false},
        {-0.51, -1, false},
        {1.0, 1, false},
        {-7.0, -7, false},
        {32767.0, 32767, false},
        {32767.4, 32767, false},
        {32766.5, 32766, false},
        {32767.5, 0, true},
        {-32768.0, -32768, false},
        {-32768.5, -32768, false},
        {-32768.50001, 0, true},
        {-32769.0, 0, true},
        {1e300, 0, true},
        {kNaN, 0, true},
        {kInf, 0, true},
        {-kInf, 0, true},
    };
    for (const ToInt& c : cases) {
        if (c.overflows) {
            EXPECT_EQ(errorNumberOf([&] { CInt(c.x); }), kErrOverflow) << c.x;
        } else {
            EXPECT_EQ(CInt(c.x), c.want) << c.x;
        }
    }
}

TEST(RealToInteger, ThirtyTwoBitTable) {
    const ToInt cases[] = {
        {2.5, 2, false},
        {-1.5, -2, false},
        {32767.5, 32768, false},
        {2147483646.5, 2147483646, false},
        {2147483647.0, 2147483647, false},
        {2147483647.5, 0, true},
        {-2147483648.5, INT32_MIN, false},
        {-2147483649.0, 0, true},
        {kNaN, 0, true},
    };
    for (const ToInt& c : cases) {
        if (c.overflows) {
            EXPECT_EQ(errorNumberOf([&] { CLng(c.x); }), kErrOverflow) << c.x;
        } else {
            EXPECT_EQ(CLng(c.x), c.want) << c.x;
        }
    }
}

TEST(RealToInteger, OverflowCarriesItsDescription) {
    try {
        CInt(40000.0);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
        EXPECT_EQ(e.description(), "Overflow");
    }
}

TEST(DecimalRound, Table) {
    struct Case {
        double x;
        int32_t digits;
        double want;
    };
    const Case cases[] = {
        {0.125, 2, 0.12},  // exactly halfway: to even
        {0.375, 2, 0.38},  //
        {-0.125, 2, -0.12},
        {0.25, 1, 0.2},
        {0.35, 1, 0.3},  // 0.35 as a double lies below 35/100
        {2.5, 0, 2.0},
        {3.5, 0, 4.0},
        {-2.5, 0, -2.0},
        {0.005, 2, 0.01},  // the double 0.005 lies above 5/1000: not a tie
        {2.675, 2, 2.67},  // the double 2.675 lies below
        {1.0 / 3, 2, 0.33},
        {2.0 / 3, 2, 0.67},
        {1.0, 2, 1.0},
        {0.0, 2, 0.0},
        {123456789012.125, 2, 123456789012.12},  // an exact tie far from 0
        {1e300, 2, 1e300},                       // nothing left to round
        {7.25, 22, 7.25},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Round(c.x, c.digits), c.want) << c.x << " to " << c.digits << " digits";
    }
    EXPECT_TRUE(std::isnan(Round(kNaN, 2)));
    EXPECT_EQ(Round(kInf, 2), kInf);
}

TEST(DecimalRound, ProgressFractions) {
    // The per-row progress: Round(y / h, 2) * 100 as a whole number.
    const auto percent = [](int y, int h) { return CLng(Round(double(y) / h, 2) * 100); };
    const int32_t quarters[] = {0, 25, 50, 75, 100};
    for (int y = 0; y <= 4; ++y)
        EXPECT_EQ(percent(y, 4), quarters[y]) << y;
    EXPECT_EQ(percent(1, 8), 12);  // 0.125 -> 0.12
    EXPECT_EQ(percent(3, 8), 38);  // 0.375 -> 0.38
    EXPECT_EQ(percent(5, 8), 62);
    EXPECT_EQ(percent(7, 8), 88);
    EXPECT_EQ(percent(1, 3), 33);
}

TEST(DecimalRound, DigitsOutOfRangeAreRefused) {
    EXPECT_EQ(errorNumberOf([] { Round(1.5, -1); }), kErrInvalidCall);
    EXPECT_EQ(errorNumberOf([] { Round(1.5, 23); }), kErrInvalidCall);
}

}  // namespace
}  // namespace lvx::test
