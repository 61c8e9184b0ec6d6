#include <gtest/gtest.h>

#include <memory>

#include "lvx/BStr.h"
#include "lvx/Variant.h"

namespace {

using lvx::BSTR;

struct BstrFree {
    void operator()(char16_t* s) const { lvx::SysFreeString(s); }
};
using OwnedBstr = std::unique_ptr<char16_t, BstrFree>;

TEST(BStrTest, LengthComesFromThePrefixNotATerminator) {
    struct Case {
        std::u16string units;
    };
    const Case cases[] = {
        {u""}, {u"a"}, {u"Text"}, {std::u16string(u"a\0b\0", 4)}, {std::u16string(3, u'\0')}};
    for (const Case& c : cases) {
        OwnedBstr s(lvx::SysAllocStringLen(c.units.data(), static_cast<uint32_t>(c.units.size())));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(lvx::SysStringLen(s.get()), c.units.size());
        EXPECT_EQ(lvx::SysStringByteLen(s.get()), c.units.size() * 2);
        EXPECT_EQ(std::u16string(s.get(), lvx::SysStringLen(s.get())), c.units);
        EXPECT_EQ(s.get()[c.units.size()], u'\0');  // terminated for C callers too
    }
}

TEST(BStrTest, AllocStringStopsAtTheFirstNul) {
    OwnedBstr s(lvx::SysAllocString(u"ab\0cd"));
    EXPECT_EQ(lvx::SysStringLen(s.get()), 2u);
    EXPECT_EQ(lvx::SysAllocString(nullptr), nullptr);
}

TEST(BStrTest, NullIsAnEmptyString) {
    EXPECT_EQ(lvx::SysStringLen(nullptr), 0u);
    EXPECT_EQ(lvx::SysStringByteLen(nullptr), 0u);
    EXPECT_EQ(lvx::Utf8FromBstr(nullptr), "");
    lvx::SysFreeString(nullptr);
}

TEST(BStrTest, NullTextAllocatesZeroedUnits) {
    OwnedBstr s(lvx::SysAllocStringLen(nullptr, 5));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(lvx::SysStringLen(s.get()), 5u);
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(s.get()[i], u'\0');
}

TEST(BStrTest, LengthsPastThe32BitPrefixAreRefused) {
    EXPECT_EQ(lvx::SysAllocStringLen(nullptr, 0x80000000u), nullptr);
    EXPECT_EQ(lvx::SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
}

TEST(BStrTest, Utf8RoundTrip) {
    const char* texts[] = {"",
                           "Ok",
                           "Отмена",
                           "Изменение отношения цветов",
                           "Превратить в кнопку",
                           "mixed Размытие 123",
                           "\xF0\x9F\x98\x80 outside the basic plane"};
    for (const char* text : texts) {
        OwnedBstr s(lvx::BstrFromUtf8(text));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(lvx::Utf8FromBstr(s.get()), text);
    }
    // Cyrillic letters are one UTF-16 unit each; a character outside the basic plane is two.
    OwnedBstr cyrillic(lvx::BstrFromUtf8("Отмена"));
    EXPECT_EQ(lvx::SysStringLen(cyrillic.get()), 6u);
    EXPECT_EQ(cyrillic.get()[0], u'О');
    EXPECT_EQ(lvx::Utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);
}

TEST(BStrTest, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        std::string utf8;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\x80z", u"a\uFFFDz"},          // stray continuation byte
        {"\xD0", u"\uFFFD"},              // truncated sequence at the end
        {"\xD0z", u"\uFFFDz"},            // truncated sequence before a letter
        {"\xC0\xAF", u"\uFFFD"},          // overlong '/'
        {"\xED\xA0\x80", u"\uFFFD"},      // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"},  // past U+10FFFF
        {"\xFF", u"\uFFFD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lvx::Utf8ToUtf16(c.utf8), c.expected) << c.utf8;
    EXPECT_EQ(lvx::Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // unpaired surrogate
}

TEST(VariantTest, ClearFreesAnOwnedStringAndLeavesEmpty) {
    lvx::VARIANT v;
    lvx::VariantInit(&v);
    EXPECT_EQ(v.vt, lvx::VT_EMPTY);
    v.vt = lvx::VT_BSTR;
    v.bstrVal = lvx::BstrFromUtf8("owned");  // leaks under LeakSanitizer/valgrind unless cleared
    EXPECT_EQ(lvx::VariantClear(&v), lvx::S_OK);
    EXPECT_EQ(v.vt, lvx::VT_EMPTY);

    int32_t target = 5;
    v.vt = lvx::VT_I4 | lvx::VT_BYREF;
    v.plVal = &target;
    EXPECT_EQ(lvx::VariantClear(&v), lvx::S_OK);  // by reference: the target is not owned
    EXPECT_EQ(target, 5);
    EXPECT_EQ(lvx::VariantClear(nullptr), lvx::E_POINTER);
}

}  // namespace
