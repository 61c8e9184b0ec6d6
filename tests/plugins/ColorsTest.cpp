// Colors through the host: per-channel percentages, ties to even, the visited points, the progress
// captions and the labels that follow the scroll bars.
#include "FormWatch.h"
#include "Picture.h"
#include "PluginFixture.h"

namespace lvx::plugins::test {
namespace {

using ColorsTest = PluginFixture;
const std::string kProgress = "Замена цветов выполнена на ";

TEST_F(ColorsTest, AllAtHundredKeepsEveryPixelAndReportsEachRow) {
    Picture picture(5, 5, Varied);
    const auto before = picture.colours();
    DataObject data("Colors.Data");
    script({"enter"});
    const RunResult result = data.run(picture.dc(), 4, 4);
    EXPECT_EQ(result.value, -1);
    EXPECT_TRUE(result.argumentsUnchanged);
    EXPECT_EQ(picture.colours(), before);
    EXPECT_EQ(progress(kProgress), (std::vector<std::string>{"0%", "25%", "50%", "75%", "100%"}));
    EXPECT_TRUE(log.messageBoxes().empty());
}

TEST_F(ColorsTest, EightRowsShowTwelvePercentAfterTheSecond) {
    Picture picture(2, 9, Varied);
    DataObject data("Colors.Data");
    script({"click btnOk"});
    data.run(picture.dc(), 1, 8);
    EXPECT_EQ(progress(kProgress),
              (std::vector<std::string>{"0%", "12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"}));
}

// Every point of (w + 1) x (h + 1) is visited: on a surface one larger than w x h, red 0 reaches
// the last column and row too.
TEST_F(ColorsTest, ChannelPercentagesScaleAndClampEveryVisitedPoint) {
    struct Case {
        std::vector<const char*> actions;
        uint32_t colour;
        uint32_t expected;
    };
    const Case cases[] = {
        {{"set HRGB(0) 0"}, 0x00C864FF, 0x00C86400},
        {{"set HRGB(1) 200", "set HRGB(2) 200"}, 0x006464C8, 0x00C8C8C8},
        {{"set HRGB(1) 200"}, 0x0000C800, 0x0000FF00},
        {{"set HRGB(0) 50"}, 0x00000005, 0x00000002},  // 2.5 -> 2
        {{"set HRGB(0) 50"}, 0x00000003, 0x00000002},  // 1.5 -> 2
        {{"set HRGB(0) 50"}, 0x00000001, 0x00000000},  // 0.5 -> 0
        {{"set HRGB(2) 10"}, 0x00050000, 0x00000000},  // 0.5 -> 0
        {{"set HRGB(0) 0", "set HRGB(1) 0", "set HRGB(2) 0"}, 0x00FFFFFF, 0x00000000},
    };
    for (const Case& c : cases) {
        Picture picture(4, 3, [&](int, int) { return c.colour; });
        DataObject data("Colors.Data");
        for (const char* action : c.actions)
            user.add(action);
        user.add("enter");
        EXPECT_EQ(data.run(picture.dc(), 3, 2).value, -1);
        for (uint32_t colour : picture.colours())
            EXPECT_EQ(colour, c.expected) << std::hex << c.colour;
    }
}

TEST_F(ColorsTest, PointsBeyondAnExactSurfaceReadInvalidAndWriteNothing) {
    Picture picture(3, 3, Varied);
    const auto before = picture.colours();
    DataObject data("Colors.Data");
    script({"enter"});
    EXPECT_EQ(data.run(picture.dc(), 3, 3).value, -1);  // visits column 3 and row 3, outside
    EXPECT_EQ(picture.colours(), before);
    EXPECT_TRUE(log.messageBoxes().empty());
}

TEST_F(ColorsTest, HeightZeroShowsOneRowAsComplete) {
    Picture picture(3, 1, [](int, int) { return 0x00101010; });
    DataObject data("Colors.Data");
    script({"set HRGB(0) 200", "enter"});
    EXPECT_EQ(data.run(picture.dc(), 2, 0).value, -1);
    EXPECT_EQ(progress(kProgress), (std::vector<std::string>{"100%"}));
    EXPECT_EQ(picture.at(2, 0), 0x00101020u);
}

TEST_F(ColorsTest, LabelsFollowTheirScrollBars) {
    std::vector<std::string> seen;
    WatchingUser watcher([&](const lvx::dialogs::Form& form) {
        seen.push_back(LabelCaption(form, "lablRGB", 0) + " " + LabelCaption(form, "lablRGB", 1) + " " +
                       LabelCaption(form, "lablRGB", 2));
    });
    lvx::dialogs::ScopedUser watching(watcher);
    for (const char* action : {"drag HRGB(0) 57", "arrow HRGB(1) left 3", "track HRGB(2) right",
                               "set HRGB(2) 250", "drag HRGB(0) 0", "esc"})
        watcher.script.add(action);
    Picture picture(2, 2, Varied);
    DataObject data("Colors.Data");
    EXPECT_EQ(data.run(picture.dc(), 1, 1).value, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"100% 100% 100%", "57% 100% 100%", "57% 97% 100%",
                                              "57% 97% 101%", "57% 97% 200%", "0% 97% 200%"}));
}

}  // namespace
}  // namespace lvx::plugins::test
