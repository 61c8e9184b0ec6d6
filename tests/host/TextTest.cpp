#include <gtest/gtest.h>

#include <cstring>

#include "ImageInfoText.h"
#include "Json.h"
#include "Latin1.h"
#include "ResultText.h"

namespace lvx::host {
namespace {

TEST(Latin1, EveryByteBecomesItsCodePoint) {
    EXPECT_EQ(latin1ToUtf8("Abc"), "Abc");
    EXPECT_EQ(latin1ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(latin1ToUtf8("\x80\xFF"), "\xC2\x80\xC3\xBF");
    EXPECT_EQ(latin1ToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Json, EscapesQuotesBackslashesAndControls) {
    EXPECT_EQ(jsonString("plain"), "\"plain\"");
    EXPECT_EQ(jsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonString("\n\t\x01\x7F"), "\"\\n\\t\\u0001\\u007f\"");
    EXPECT_EQ(jsonString("\xC3\xA9"), "\"\xC3\xA9\"");  // UTF-8 passes through
}

TEST(ImageInfoText, ReadsTheBlendBytes) {
    ImageInfo info{};
    std::memcpy(info.blendMode, "norm\0\x01\x08\x23", 8);
    std::strcpy(info.name, "Gr\xFCn");
    EXPECT_EQ(blendKey(info), "norm");
    EXPECT_EQ(clipping(info), 1u);
    EXPECT_EQ(layerFlags(info), 8u);
    EXPECT_EQ(extraLengthLowByte(info), 0x23u);
    EXPECT_EQ(layerName(info), "Gr\xC3\xBCn");

    std::memcpy(info.blendMode, "a\x01\\\xFF", 4);  // damaged key: unprintable bytes made visible
    EXPECT_EQ(blendKey(info), "a\\x01\\x5c\\xff");
}

TEST(ImageInfoText, NameWithoutTerminatorIsNotOverread) {
    ImageInfo info{};
    std::memset(info.name, 'z', sizeof info.name);
    EXPECT_EQ(layerName(info), std::string(sizeof info.name, 'z'));
}

TEST(ResultText, EveryCodeHasItsOwnWords) {
    const int32_t codes[] = {1, 100, 301, 303, 304, 305, 306, 307, 308, 309, 310, 311};
    const std::string unknown = openFailureText(302);
    for (int32_t code : codes)
        EXPECT_NE(openFailureText(code), unknown) << code;
    EXPECT_EQ(openFailureText(308), "not an 8-bit document");
    EXPECT_EQ(withCode(openFailureText(308), 308), "not an 8-bit document (code 308)");
    EXPECT_NE(decodeFailureText(1), openFailureText(1));  // at decode time 1 means the buffer
}

}  // namespace
}  // namespace lvx::host
