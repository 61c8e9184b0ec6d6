// Decimal text to integers (and the errors for text that is no number) and integers to text.
#include <limits>

#include "ErrorNumber.h"

namespace lvx::test {
namespace {

struct Parse {
    const char* text;
    int32_t want;
};

TEST(TextToInteger, Numbers) {
    const Parse cases[] = {
        {"12", 12},         {" 12 ", 12},
        {"\t-7\t", -7},     {"+5", 5},
        {"007", 7},         {"-0", 0},
        {"0", 0},           {"32767", 32767},
        {"-32768", -32768}, {"000000000000000000000000032767", 32767},
    };
    for (const Parse& c : cases) {
        EXPECT_EQ(TextToInt16(c.text), c.want) << '"' << c.text << '"';
        EXPECT_EQ(TextToInt32(c.text), c.want) << '"' << c.text << '"';
    }
    EXPECT_EQ(TextToInt32("2147483647"), INT32_MAX);
    EXPECT_EQ(TextToInt32(" -2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInt32("100000"), 100000);
}

TEST(TextToInteger, TextThatIsNoNumberIsATypeMismatch) {
    const char* const cases[] = {
        "",
        " ",
        "+",
        "-",
        "1 2",
        "12a",
        "a12",
        "1.5",
        "1,000",
        "1e3",
        "&H10",
        "0x10",
        "+-1",
        "- 1",
        "12\n",
        "\xD9\xA1\xD9\xA2",       // Arabic-Indic digits one and two: not ASCII digits
        "99999999999999999999a",  // not a number, however large its digits
    };
    for (const char* text : cases) {
        EXPECT_EQ(errorNumberOf([&] { TextToInt16(text); }), kErrTypeMismatch) << '"' << text << '"';
        EXPECT_EQ(errorNumberOf([&] { TextToInt32(text); }), kErrTypeMismatch) << '"' << text << '"';
    }
    // A digit string cut short by an embedded zero byte is no number either.
    EXPECT_EQ(errorNumberOf([] {
                  TextToInt16(
                      std::string_view("12\0"
                                       "3",
                                       4));
              }),
              kErrTypeMismatch);
}

TEST(TextToInteger, NumbersThatDoNotFitOverflow) {
    // 18446744073709551621 is 2^64 + 5: a reader that let its 64-bit total wrap would see 5.
    for (const char* text :
         {"32768", "-32769", "+40000", "-000032769", "99999999999999999999999", "18446744073709551621"}) {
        EXPECT_EQ(errorNumberOf([&] { TextToInt16(text); }), kErrOverflow) << text;
    }
    for (const char* text :
         {"2147483648", "-2147483649", "99999999999999999999999", "18446744073709551621"}) {
        EXPECT_EQ(errorNumberOf([&] { TextToInt32(text); }), kErrOverflow) << text;
    }
}

TEST(TextToInteger, ErrorsCarryTheirDescriptions) {
    try {
        TextToInt16("abc");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 13);
        EXPECT_STREQ(e.what(), "Type mismatch");
    }
    EXPECT_EQ(RuntimeError(kErrInvalidCall).description(), "Invalid procedure call or argument");
    EXPECT_EQ(RuntimeError(999).description(), "Error 999");
    EXPECT_EQ(RuntimeError(7, "Out of memory").description(), "Out of memory");
}

TEST(FormatInteger, PlainDecimal) {
    struct Case {
        int64_t value;
        const char* want;
    };
    const Case cases[] = {
        {0, "0"},   {57, "57"},       {100, "100"},
        {-5, "-5"}, {32767, "32767"}, {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatInteger(c.value), c.want);
}

TEST(FormatInteger, RoundTripsThroughText) {
    for (int32_t v : {INT32_MIN, -32768, -1, 0, 1, 12345, INT32_MAX}) {
        EXPECT_EQ(TextToInt32(FormatInteger(v)), v);
    }
}

}  // namespace
}  // namespace lvx::test
