// The contract every plug-in shares, through the host side: Text, the dialog's frame and layout, the
// result flag across OK, Cancel and the close box, the digit filter, initial values on every Run.
#include <set>

#include "FormWatch.h"
#include "Picture.h"
#include "PluginFixture.h"

namespace lvx::plugins::test {
namespace {

using FrameTest = PluginFixture;

TEST_F(FrameTest, TextIsTheFixedCaptionOnEveryCallWithoutADialog) {
    struct Case {
        CLSID clsid;
        const char* progId;
        const char* text;
    };
    const Case cases[] = {
        {kColorsClass, "Colors.Data", "Изменение отношения цветов"},
        {kButtonClass, "Button.Data", "Превратить в кнопку"},
        {kMollivoClass, "Mollivo.Data", "Размытие"},
        {kDiffuseClass, "Diffuse.Data", "Диффузия"},
        {kUmbrinoClass, nullptr, "Размытие"},
    };
    for (const Case& c : cases) {
        DataObject byClass(c.clsid);
        ASSERT_TRUE(byClass.valid());
        EXPECT_EQ(byClass.text(), c.text);
        EXPECT_EQ(byClass.text(), c.text);
        if (c.progId != nullptr) {
            DataObject byName(c.progId);
            EXPECT_EQ(byName.text(), c.text) << c.progId;
        }
    }
    EXPECT_TRUE(log.events().empty());
}

struct Layout {
    const char* progId;
    std::vector<std::string> lines;
};

TEST_F(FrameTest, EachDialogHasItsControlsCaptionsAndPlaces) {
    const Layout layouts[] = {
        {"Colors.Data",
         {"form \"Изменение отношения цветов\" 4695x1740 fixed-single no-min no-max close-box default-place "
          "icon 48x48",
          "Label1 label 45 90 735 240 \"Красный\" right", "Label3 label 0 405 780 240 \"Зелёный\" right",
          "Label2 label 45 720 735 240 \"Синий\" right", "HRGB(0) scroll bar 810 90 2985 285 0..200 =100",
          "HRGB(1) scroll bar 810 405 2985 285 0..200 =100",
          "HRGB(2) scroll bar 810 720 2985 285 0..200 =100", "lablRGB(0) label 3915 90 645 240 \"100%\"",
          "lablRGB(1) label 3915 450 645 240 \"100%\"", "lablRGB(2) label 3915 765 645 240 \"100%\"",
          "btnOk command button 300 1125 1410 555 \"Ok\" default",
          "btnCancel command button 2430 1125 1410 555 \"Отмена\" cancel"}},
        {"Button.Data",
         {"form \"Преобразование в кнопку\" 4125x1590 fixed-single no-min no-max close-box default-place "
          "icon 48x48",
          "Label1 label 315 180 1455 195 \"Ширина бордера:\"", "shir text box 1845 135 735 285 \"10\"",
          "Label2 label 360 540 825 240 \"Яркость:\"", "Hjark scroll bar 1305 540 2580 240 1..95 =50",
          "btnOk command button 300 990 1410 420 \"Ok\" default",
          "btnCancel command button 2415 990 1410 420 \"Отмена\" cancel"}},
        {"Mollivo.Data",
         {"form \"Размытие\" 4125x1185 fixed-single no-min no-max close-box default-place icon 48x48",
          "Label1 label 180 90 1770 195 \"Повторить размытие:\"", "povt text box 2025 45 600 285 \"10\"",
          "Label2 label 2790 90 510 195 \"раз\"", "btnOk command button 502 495 1410 555 \"OK\" default",
          "btnCancel command button 2212 495 1410 555 \"Отмена\" cancel"}},
        {"Diffuse.Data",
         {"form \"Диффузия\" 4125x1695 fixed-single no-min no-max close-box default-place icon 48x48",
          "Label1 label 180 90 1455 195 \"Смещение точек:\"", "smesh text box 1710 45 735 285 \"10\"",
          "Sluch option button 180 405 1050 285 \"Случайно\" selected",
          "Sverhu option button 1260 405 1275 285 \"Сверху вниз\"",
          "Sprava option button 2565 405 1545 285 \"С лева на право\"",
          "btnOk command button 300 900 1410 555 \"Ok\" default",
          "btnCancel command button 2415 900 1410 555 \"Отмена\" cancel"}},
    };
    for (const Layout& layout : layouts) {
        std::vector<std::string> seen;
        WatchingUser watcher([&](const lvx::dialogs::Form& form) {
            if (seen.empty()) seen = DescribeForm(form);
        });
        lvx::dialogs::ScopedUser watching(watcher);
        watcher.script.add("esc");
        Picture picture(3, 3, Varied);
        DataObject data(layout.progId);
        EXPECT_EQ(data.run(picture.dc(), 3, 3).value, 0);
        EXPECT_EQ(seen, layout.lines) << layout.progId;
    }
}

TEST_F(FrameTest, IconIsOne48x48ImageOverA256ColourPalette) {
    std::shared_ptr<const lvx::dialogs::IconImage> icons[2];
    int shown = 0;
    WatchingUser watcher([&](const lvx::dialogs::Form& form) { icons[shown++ % 2] = form.icon(); });
    lvx::dialogs::ScopedUser watching(watcher);
    watcher.script.add("esc");
    watcher.script.add("esc");
    Picture picture(2, 2, Varied);
    DataObject colors("Colors.Data");
    colors.run(picture.dc(), 2, 2);
    colors.run(picture.dc(), 2, 2);
    ASSERT_TRUE(icons[0]);
    EXPECT_EQ(icons[0], icons[1]);  // one image shared by every dialog of the library
    EXPECT_EQ(icons[0]->width, 48);
    EXPECT_EQ(icons[0]->height, 48);
    ASSERT_EQ(icons[0]->pixels.size(), 48u * 48u);
    std::set<uint8_t> used(icons[0]->pixels.begin(), icons[0]->pixels.end());
    EXPECT_GT(used.size(), 16u);  // real artwork, not a flat tile
}

// The flag: false in a fresh library, set by OK and Cancel, kept by the close box; the picture changes
// only on OK; the arguments come back unchanged every time.
TEST_F(FrameTest, CloseBoxKeepsTheFlagOfTheLastOkOrCancel) {
    struct Step {
        const char* action;
        int16_t expected;
        bool changes;
    };
    const Step steps[] = {
        {"close", 0, false}, {"enter", -1, true},       {"close", -1, false}, {"click btnCancel", 0, false},
        {"close", 0, false}, {"click btnOk", -1, true}, {"esc", 0, false},
    };
    Picture picture(8, 6, [](int, int) { return 0x00404040; });
    DataObject data("Button.Data");
    for (const Step& step : steps) {
        const auto before = picture.colours();
        user.add(step.action);
        const RunResult result = data.run(picture.dc(), 7, 5);
        EXPECT_EQ(result.value, step.expected) << step.action;
        EXPECT_TRUE(result.argumentsUnchanged) << step.action;
        EXPECT_EQ(picture.colours() != before, step.changes) << step.action;
    }
}

TEST_F(FrameTest, AFreshlyLoadedLibraryStartsWithFalse) {
    Picture picture(4, 4, Varied);
    {
        DataObject data("Diffuse.Data");
        script({"enter"});
        EXPECT_EQ(data.run(picture.dc(), 3, 3).value, -1);
        CoFreeUnusedLibraries();  // an object is alive: the module stays
        EXPECT_TRUE(IsModuleLoaded(ModulePath("Diffuse")));
    }
    CoFreeUnusedLibraries();
    EXPECT_FALSE(IsModuleLoaded(ModulePath("Diffuse")));
    DataObject data("Diffuse.Data");
    script({"close"});
    EXPECT_EQ(data.run(picture.dc(), 3, 3).value, 0);
}

TEST_F(FrameTest, EnterRunsTheEffectAndEscCancelsIt) {
    Picture picture(5, 5, Varied);
    DataObject data("Colors.Data");
    script({"esc"});
    EXPECT_EQ(data.run(picture.dc(), 4, 4).value, 0);
    EXPECT_TRUE(log.captions().empty());
    script({"enter"});
    EXPECT_EQ(data.run(picture.dc(), 4, 4).value, -1);
    EXPECT_EQ(log.captions().size(), 5u);
}

// Rows changed by the top band of Button (B + 1 rows) tell the width the dialog read.
int TopBandRows(DataObject& data, lvx::dialogs::ScriptedUser& user,
                std::initializer_list<const char*> actions) {
    Picture picture(40, 40, [](int, int) { return 0x00404040; });
    for (const char* action : actions)
        user.add(action);
    data.run(picture.dc(), 39, 39);
    int rows = 0;
    while (rows < 40 && picture.at(20, rows) != 0x00404040)
        ++rows;
    return rows;
}

TEST_F(FrameTest, DigitFilterKeepsDigitsAndBackspace) {
    DataObject data("Button.Data");
    EXPECT_EQ(TopBandRows(data, user, {"backspace shir 2", "type shir a1b2", "enter"}), 13);  // "12"
    EXPECT_EQ(TopBandRows(data, user, {"backspace shir 2", "type shir a1b2", "backspace shir", "enter"}),
              2);                                                          // "1"
    EXPECT_EQ(TopBandRows(data, user, {"type shir x-+ .", "enter"}), 11);  // nothing typed: "10"
}

TEST_F(FrameTest, EveryRunStartsFromTheInitialValues) {
    DataObject data("Button.Data");
    EXPECT_EQ(TopBandRows(data, user, {"backspace shir 2", "type shir 3", "click btnCancel"}), 0);
    EXPECT_EQ(TopBandRows(data, user, {"backspace shir 2", "type shir 3", "close"}), 0);
    EXPECT_EQ(TopBandRows(data, user, {"enter"}), 11);

    std::vector<std::string> seen;
    WatchingUser watcher(
        [&](const lvx::dialogs::Form& form) { seen.push_back(LabelCaption(form, "lablRGB", 0)); });
    lvx::dialogs::ScopedUser watching(watcher);
    watcher.script.add("set HRGB(0) 30");
    watcher.script.add("esc");
    watcher.script.add("esc");
    Picture picture(2, 2, Varied);
    DataObject colors("Colors.Data");
    colors.run(picture.dc(), 1, 1);
    colors.run(picture.dc(), 1, 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"100%", "30%", "100%"}));
}

// A host that passes a handle that is no device context (0, or one already released) gets nothing
// drawn, no message and no object left behind, whatever the effect.
TEST_F(FrameTest, AnInvalidDeviceContextDrawsNothingAndLeaksNothing) {
    HDC released = 0;
    {
        Picture gone(2, 2, Varied);
        released = gone.dc();
    }
    const uint32_t objects = LvxGdi_ObjectCount();
    for (HDC dc : {HDC(0), released}) {
        for (const char* progId : {"Colors.Data", "Button.Data", "Mollivo.Data", "Diffuse.Data"}) {
            DataObject data(progId);
            script({"enter"});
            EXPECT_EQ(data.run(dc, 6, 4).value, -1) << progId;
        }
        DataObject umbrino(kUmbrinoClass);
        EXPECT_EQ(umbrino.run(dc, 6, 4).value, 0);
    }
    EXPECT_EQ(LvxGdi_ObjectCount(), objects);
    EXPECT_TRUE(log.messageBoxes().empty());
}

}  // namespace
}  // namespace lvx::plugins::test
