// Diffuse through the host: identity at displacement 0, the direction options, the exact result with
// a fixed clock, and the displacement box and its refusals.
#include "Picture.h"
#include "PluginFixture.h"
#include "lvx/runtime.h"

namespace lvx::plugins::test {
namespace {

using DiffuseTest = PluginFixture;
const std::string kProgress = "Диффузия выполнена на ";

class FixedClock {
  public:
    explicit FixedClock(float seconds) { lvx::SetFixedClock(seconds); }
    ~FixedClock() { lvx::UseSystemClock(); }
};

void RunDiffuse(lvx::dialogs::ScriptedUser& user, Picture& picture, int16_t w, int16_t h, const char* d,
                const char* option) {
    DataObject data("Diffuse.Data");
    user.add("backspace smesh 2");
    user.add(std::string("type smesh ") + d);
    user.add(std::string("option ") + option);
    user.add("enter");
    const RunResult result = data.run(picture.dc(), w, h);
    EXPECT_EQ(result.value, -1);
    EXPECT_TRUE(result.argumentsUnchanged);
}

TEST_F(DiffuseTest, DisplacementZeroKeepsThePictureAndReportsEachRow) {
    Picture picture(5, 5, Varied);
    const auto before = picture.colours();
    RunDiffuse(user, picture, 4, 4, "0", "Sluch");
    EXPECT_EQ(picture.colours(), before);
    EXPECT_EQ(progress(kProgress), (std::vector<std::string>{"0%", "25%", "50%", "75%", "100%"}));
}

// Each pixel's colour codes where it started: red = row, green = column.
uint32_t Origin(int x, int y) {
    return uint32_t(y) | uint32_t(x) << 8 | 0x00800000;
}

TEST_F(DiffuseTest, SverhuNeverMovesAColourUpAndSpravaNeverLeft) {
    for (const char* option : {"Sverhu", "Sprava"}) {
        Picture picture(40, 30, Origin);
        RunDiffuse(user, picture, 39, 29, "3", option);
        int moved = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const uint32_t c = picture.at(x, y);
                const int fromY = int(c & 0xFF);
                const int fromX = int((c >> 8) & 0xFF);
                if (std::string(option) == "Sverhu")
                    EXPECT_LE(fromY, y) << option << " at " << x << "," << y;
                else
                    EXPECT_LE(fromX, x) << option << " at " << x << "," << y;
                moved += fromX != x || fromY != y;
            }
        EXPECT_GT(moved, 600) << option;
    }
}

// The scan written as a plain loop on the pixel memory, with the generator seeded from the clock.
std::vector<uint32_t> DiffuseReference(const Picture& start, int w, int h, int d, float clock, char option) {
    std::vector<uint32_t> c = start.colours();
    const int sw = start.width(), sh = start.height();
    lvx::Randomize(clock);
    auto sign = [] { return double(lvx::Rnd()) + 0.45555 > 1 ? 1 : -1; };
    for (int y = 0; y <= h; ++y)
        for (int x = 0; x <= w; ++x) {
            const int sx = option == 'R' ? 1 : sign();
            const int dx = lvx::CInt(double(lvx::Rnd()) * d * sx);
            const int sy = option == 'D' ? 1 : sign();
            const int dy = lvx::CInt(double(lvx::Rnd()) * d * sy);
            const int tx = x + dx, ty = y + dy;
            if (x < sw && y < sh && tx >= 0 && ty >= 0 && tx < sw && ty < sh)
                c[size_t(ty * sw + tx)] = c[size_t(y * sw + x)];
        }
    return c;
}

TEST_F(DiffuseTest, FixedClockReproducesTheScanExactly) {
    struct Case {
        const char* option;
        char code;
        const char* d;
    };
    const Case cases[] = {
        {"Sluch", 'S', "4"}, {"Sverhu", 'D', "2"}, {"Sprava", 'R', "7"}, {"Sluch", 'S', "1"}};
    FixedClock clock(43210.25f);
    for (const Case& c : cases) {
        // An exact 12 x 9 surface: the points of column w and row h read the invalid colour, dropped.
        Picture picture(12, 9, Varied);
        const Picture start(12, 9, Varied);
        lvx::SetRndState(1);  // seeding on OK makes the earlier state irrelevant
        RunDiffuse(user, picture, 12, 9, c.d, c.option);
        EXPECT_EQ(picture.colours(), DiffuseReference(start, 12, 9, std::atoi(c.d), 43210.25f, c.code))
            << c.option;
    }
}

TEST_F(DiffuseTest, EmptyDisplacementMeansTen) {
    FixedClock clock(100.0f);
    Picture emptied(10, 10, Varied);
    Picture initial(10, 10, Varied);
    DataObject data("Diffuse.Data");
    script({"backspace smesh 2", "enter", "enter"});
    data.run(emptied.dc(), 9, 9);
    data.run(initial.dc(), 9, 9);
    EXPECT_EQ(emptied.colours(), initial.colours());
    EXPECT_NE(emptied.colours(), Picture(10, 10, Varied).colours());
}

TEST_F(DiffuseTest, DisplacementBeyondSixteenBitsIsRefusedAndTheDialogStaysOpen) {
    Picture picture(6, 6, Varied);
    const auto before = picture.colours();
    DataObject data("Diffuse.Data");
    script({"type smesh 00000", "enter", "esc"});  // "1000000"
    EXPECT_EQ(data.run(picture.dc(), 5, 5).value, 0);
    ASSERT_EQ(log.messageBoxes().size(), 1u);
    EXPECT_EQ(log.messageBoxes()[0].text, "Overflow");
    EXPECT_EQ(log.messageBoxes()[0].title, "Diffuse");
    EXPECT_TRUE(log.captions().empty());
    EXPECT_EQ(picture.colours(), before);
}

TEST_F(DiffuseTest, HeightZeroScansOneRowAndShowsItComplete) {
    Picture picture(6, 1, Varied);
    RunDiffuse(user, picture, 5, 0, "2", "Sprava");
    EXPECT_EQ(progress(kProgress), (std::vector<std::string>{"100%"}));
}

}  // namespace
}  // namespace lvx::plugins::test
