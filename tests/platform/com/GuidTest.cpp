#include <gtest/gtest.h>

#include "lvx/Guid.h"

namespace {

using lvx::GUID;

TEST(GuidTest, TextRoundTripKeepsEveryField) {
    struct Case {
        GUID guid;
        const char* text;
    };
    const Case cases[] = {
        {lvx::GUID_NULL, "{00000000-0000-0000-0000-000000000000}"},
        {{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}},
         "{00020400-0000-0000-C000-000000000046}"},
        {{0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
         "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
        {{0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}},
         "{12345678-9ABC-DEF0-0123-456789ABCDEF}"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lvx::GuidToString(c.guid), c.text);
        std::optional<GUID> parsed = lvx::GuidFromString(c.text);
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_TRUE(*parsed == c.guid) << c.text;
    }
}

TEST(GuidTest, LowerCaseDigitsParse) {
    std::optional<GUID> g = lvx::GuidFromString("{12345678-9abc-def0-0123-456789abcdef}");
    ASSERT_TRUE(g);
    EXPECT_EQ(lvx::GuidToString(*g), "{12345678-9ABC-DEF0-0123-456789ABCDEF}");
}

TEST(GuidTest, MalformedTextsAreRefused) {
    const char* bad[] = {
        "",
        "12345678-9ABC-DEF0-0123-456789ABCDEF",     // no braces
        "{12345678-9ABC-DEF0-0123-456789ABCDEF",    // no closing brace
        "{12345678-9ABC-DEF0-0123-456789ABCDEF}x",  // trailing text
        "{12345678-9ABC-DEF0-0123456789ABCDEF0}",   // dash missing
        "{1234567-89ABC-DEF0-0123-456789ABCDEF}",   // dash misplaced
        "{12345678-9ABC-DEF0-0123-456789ABCDEG}",   // not a hex digit
        "{12345678 9ABC-DEF0-0123-456789ABCDEF}",   // blank for dash
        "{+2345678-9ABC-DEF0-0123-456789ABCDEF}",
    };
    for (const char* text : bad)
        EXPECT_FALSE(lvx::GuidFromString(text)) << text;
}

}  // namespace
