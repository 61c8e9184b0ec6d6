#include "FileNames.h"

#include <gtest/gtest.h>

#include "OutputDirectory.h"

namespace lvx::host {
namespace {

TEST(FileNames, SanitisedLayerNames) {
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"Background", "Background"},
        {"Layer 1", "Layer_1"},
        {"a/b\\c", "a_b_c"},
        {"  spaced   out  ", "spaced_out"},
        {"..", ""},
        {"../../etc/passwd", "etc_passwd"},
        {".hidden", "hidden"},
        {"Caf\xE9 cr\xE8me", "Caf_cr_me"},  // Latin-1 letters are not ASCII
        {"\x01\x02\x7F", ""},
        {"keep-this_one.v2", "keep-this_one.v2"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sanitizeLayerName(c.name), c.expected) << c.name;
}

TEST(FileNames, LongNamesAreCutAndDoNotEndInPunctuation) {
    const std::string name = std::string(39, 'x') + " tail";
    EXPECT_EQ(sanitizeLayerName(name), std::string(39, 'x'));  // cut at 40 leaves "x...x_", then trimmed
    EXPECT_EQ(sanitizeLayerName(std::string(67, 'y')).size(), 40u);
}

TEST(FileNames, ImageFileNames) {
    EXPECT_EQ(imageFileName(-1, "ignored"), "merged.png");
    EXPECT_EQ(imageFileName(3, "Background"), "layer-003-Background.png");
    EXPECT_EQ(imageFileName(0, "///"), "layer-000.png");
    EXPECT_EQ(imageFileName(1234, "Big"), "layer-1234-Big.png");
}

TEST(OutputDirectory, DefaultsToTheDocumentNameWithoutExtension) {
    EXPECT_EQ(defaultOutputDirectory("scans/photo.psd"), "photo");
    EXPECT_EQ(defaultOutputDirectory("photo.final.psd"), "photo.final");
    EXPECT_EQ(defaultOutputDirectory("dir/photo"), "photo.out");  // no extension: never the file itself
    EXPECT_EQ(defaultOutputDirectory(".psd"), ".psd.out");
}

}  // namespace
}  // namespace lvx::host
