// Button through the host: the band shapes, the factors with ties to even, the corners processed
// twice, the width box and its refusals.
#include <cmath>
#include <cstdlib>

#include "Picture.h"
#include "PluginFixture.h"

namespace lvx::plugins::test {
namespace {

using ButtonTest = PluginFixture;

// B = 0 on a 6 x 5 surface with w = 5, h = 4, grey 100, brightness 50 (k = 0.5): top row x 1/0.6
// (167), left column x 2 (200), bottom row x 0.6 (60), right column x 0.5 (50); the top-right corner
// is 167 x 0.5 = 83.5 -> 84, the bottom-left corner 200 x 0.6 = 120.
TEST_F(ButtonTest, WidthZeroDrawsOnePixelBandsWithTheCornersProcessedTwice) {
    const int expected[5][6] = {
        {167, 167, 167, 167, 167, 84}, {200, 100, 100, 100, 100, 50}, {200, 100, 100, 100, 100, 50},
        {200, 100, 100, 100, 100, 50}, {120, 60, 60, 60, 60, 60},
    };
    Picture picture(6, 5, [](int, int) { return 0x00646464; });
    DataObject data("Button.Data");
    script({"backspace shir 2", "type shir 0", "enter"});
    const RunResult result = data.run(picture.dc(), 5, 4);
    EXPECT_EQ(result.value, -1);
    EXPECT_TRUE(result.argumentsUnchanged);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint32_t grey = uint32_t(expected[y][x]);
            EXPECT_EQ(picture.at(x, y), grey | grey << 8 | grey << 16) << x << "," << y;
        }
    EXPECT_EQ(log.captions(), (std::vector<std::string>{"Выполнено на 25%", "Выполнено на 50%",
                                                        "Выполнено на 75%", "Выполнено на 98%"}));
}

// The bands a point of the picture lies on, in pass order: T top, L left, B bottom, R right.
std::string BandsOf(int x, int y, int w, int h, int b) {
    std::string bands;
    for (int m = 0; m <= b; ++m)
        if (y == m && x >= m && x <= w - m) bands += 'T';
    for (int m = 0; m <= b; ++m)
        if (x == m && y >= m + 1 && y <= h - m) bands += 'L';
    for (int m = 0; m <= b; ++m)
        if (y == h - m && x >= m && x <= w - m) bands += 'B';
    for (int m = 0; m <= b; ++m)
        if (x == w - m && y >= m && y <= h - m - 1) bands += 'R';
    return bands;
}

// Runs Button with width b and brightness 50 (k = 0.5) on a grey (w + 1) x (h + 1) picture and checks
// every point against the bands it lies on, each applying its factor in turn.
void ExpectBands(lvx::dialogs::ScriptedUser& user, int w, int h, const char* b) {
    Picture picture(w + 1, h + 1, [](int, int) { return 0x00404040; });
    DataObject data("Button.Data");
    user.add("backspace shir 2");
    user.add(std::string("type shir ") + b);
    user.add("enter");
    data.run(picture.dc(), int16_t(w), int16_t(h));
    for (int y = 0; y <= h; ++y)
        for (int x = 0; x <= w; ++x) {
            double v = 64;
            const std::string bands = BandsOf(x, y, w, h, std::atoi(b));
            for (char c : bands) {
                const double f = c == 'T' ? 1 / 0.6 : c == 'L' ? 2 : c == 'B' ? 0.6 : 0.5;
                v = std::min(255.0, std::nearbyint(v * f));
            }
            const auto grey = uint32_t(v);
            EXPECT_EQ(picture.at(x, y), grey | grey << 8 | grey << 16) << x << "," << y << " " << bands;
        }
}

TEST_F(ButtonTest, BandsAreTrapezoidsWithFortyFiveDegreeEnds) {
    ExpectBands(user, 12, 10, "2");
    EXPECT_EQ(log.captions().size(), 12u);  // each pass's text B + 1 times
}

// Narrower than 2B: the rows of the top and bottom bands beyond the middle have no points, and the
// bands overlap elsewhere, each point processed once per band in pass order.
TEST_F(ButtonTest, BandsOverlapOnAPictureNarrowerThanTwiceTheWidth) {
    ExpectBands(user, 3, 11, "10");
    EXPECT_EQ(BandsOf(1, 2, 3, 11, 10), "LR");
    EXPECT_EQ(BandsOf(2, 2, 3, 11, 10), "R");  // row 2 of the top band spans x = 2 .. 1: empty
}

TEST_F(ButtonTest, FactorsRoundHalvesToEvenAndClamp) {
    struct Case {
        const char* brightness;
        int x, y;  // a point of one band only, on a 10 x 10 picture with B = 0
        uint8_t component;
        uint8_t expected;
    };
    const Case cases[] = {
        {"set Hjark 50", 4, 0, 255, 255},                                  // top: 1 / 0.6
        {"set Hjark 50", 4, 0, 3, 5},     {"set Hjark 50", 9, 4, 5, 2},    // right: 0.5, 2.5 -> 2
        {"set Hjark 50", 9, 4, 7, 4},                                      // 3.5 -> 4
        {"set Hjark 95", 0, 4, 13, 255},                                   // left: 1 / 0.05 = 20
        {"set Hjark 95", 0, 4, 12, 240},  {"set Hjark 95", 9, 4, 100, 5},  // right: 0.05
        {"set Hjark 1", 4, 0, 109, 100},                                   // top: 1 / 1.09
        {"set Hjark 1", 4, 9, 100, 109},                                   // bottom: 1.09
        {"set Hjark 1", 0, 4, 99, 100},                                    // left: 1 / 0.99
    };
    for (const Case& c : cases) {
        Picture picture(10, 10, [&](int, int) { return uint32_t(c.component) * 0x010101u; });
        DataObject data("Button.Data");
        for (const char* action : {"backspace shir 2", "type shir 0", c.brightness, "enter"})
            user.add(action);
        data.run(picture.dc(), 9, 9);
        EXPECT_EQ(picture.at(c.x, c.y), uint32_t(c.expected) * 0x010101u)
            << c.brightness << " at " << c.x << "," << c.y << " from " << int(c.component);
    }
}

TEST_F(ButtonTest, EmptyWidthMeansTen) {
    Picture emptied(30, 30, Varied);
    Picture initial(30, 30, Varied);
    DataObject data("Button.Data");
    script({"backspace shir 5", "enter"});
    data.run(emptied.dc(), 29, 29);
    script({"enter"});
    data.run(initial.dc(), 29, 29);
    EXPECT_EQ(emptied.colours(), initial.colours());
    EXPECT_EQ(log.captions().size(), 2u * 4u * 11u);
}

TEST_F(ButtonTest, WidthBeyondSixteenBitsIsRefusedAndTheDialogStaysOpen) {
    Picture picture(6, 6, Varied);
    const auto before = picture.colours();
    const uint32_t objects = LvxGdi_ObjectCount();
    DataObject data("Button.Data");
    script({"type shir 99999", "enter", "esc"});
    EXPECT_EQ(data.run(picture.dc(), 5, 5).value, 0);
    ASSERT_EQ(log.messageBoxes().size(), 1u);
    EXPECT_EQ(log.messageBoxes()[0].text, "Overflow");
    EXPECT_EQ(log.messageBoxes()[0].title, "Button");
    EXPECT_EQ(picture.colours(), before);
    EXPECT_TRUE(log.captions().empty());
    EXPECT_EQ(LvxGdi_ObjectCount(), objects);
}

}  // namespace
}  // namespace lvx::plugins::test
