#include <gtest/gtest.h>

#include <stdexcept>

#include "SampleDialog.h"

namespace lvx::dialogs {
namespace {

using testing::runSample;
using testing::scriptOf;
using testing::Trace;

struct EventCase {
    std::string action;               // on the sample dialog: Hjark 1..95 at 50, HRGB(i) 0..200 at 100
    std::vector<std::string> events;  // what the handlers saw, in order
};

TEST(ScrollBar, UserActionsRaiseChangeAndScrollInOrder) {
    const EventCase cases[] = {
        {"set Hjark 57", {"change Hjark=57"}},
        {"set Hjark 50", {}},                    // no change, no event
        {"set Hjark 500", {"change Hjark=95"}},  // clamped to max
        {"set Hjark -7", {"change Hjark=1"}},    // clamped to min
        {"drag Hjark 53", {"scroll Hjark=51", "scroll Hjark=52", "scroll Hjark=53", "change Hjark=53"}},
        {"drag Hjark 48", {"scroll Hjark=49", "scroll Hjark=48", "change Hjark=48"}},
        {"drag Hjark 50", {}},  // released where it started
        {"arrow Hjark right", {"change Hjark=51"}},
        {"arrow Hjark left 3", {"change Hjark=49", "change Hjark=48", "change Hjark=47"}},
        {"track Hjark right", {"change Hjark=60"}},  // large change 10
        {"track Hjark right 6",
         {"change Hjark=60", "change Hjark=70", "change Hjark=80", "change Hjark=90",
          "change Hjark=95"}},  // the last click stops at max, the 6th moves nothing
        {"track Hjark left 5",
         {"change Hjark=40", "change Hjark=30", "change Hjark=20", "change Hjark=10", "change Hjark=1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Trace trace;
        auto user = scriptOf({c.action, "close"});
        runSample(trace, user);
        EXPECT_EQ(trace.events, c.events);
        EXPECT_FALSE(user.failure());
    }
}

TEST(ScrollBar, DragPastTheEndStopsTheThumbAtTheEnd) {
    Trace trace;
    auto user = scriptOf({"drag Hjark 97", "close"});
    runSample(trace, user);
    std::vector<std::string> expected;
    for (int v = 51; v <= 95; ++v)
        expected.push_back("scroll Hjark=" + std::to_string(v));
    expected.push_back("change Hjark=95");
    EXPECT_EQ(trace.events, expected);
}

TEST(ScrollBar, ArrayEventsReceiveTheElementIndex) {
    Trace trace;
    auto user = scriptOf({"set HRGB(1) 57", "arrow HRGB(2) right", "drag HRGB(0) 98", "close"});
    runSample(trace, user);
    const std::vector<std::string> expected = {"change HRGB(1)=57%", "change HRGB(2)=101%",
                                               "scroll HRGB(0)=99%", "scroll HRGB(0)=98%",
                                               "change HRGB(0)=98%"};
    EXPECT_EQ(trace.events, expected);
}

TEST(ScrollBar, ArrowsAtTheEndMoveNothingAndRaiseNothing) {
    Trace trace;
    auto user = scriptOf({"set HRGB(0) 200", "arrow HRGB(0) right 2", "set HRGB(0) 0", "arrow HRGB(0) left",
                          "track HRGB(0) left", "close"});
    runSample(trace, user);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"change HRGB(0)=200%", "change HRGB(0)=0%"}));
}

TEST(ScrollBar, CodeClampsAndRaisesChangeOnlyWhenTheValueMoves) {
    Form form;
    auto& bar = form.add<ScrollBar>("bar");
    EXPECT_EQ(bar.min(), 0);
    EXPECT_EQ(bar.max(), 32767);
    EXPECT_EQ(bar.smallChange(), 1);
    EXPECT_EQ(bar.largeChange(), 1);
    std::vector<int> changes;
    bar.onChange([&] { changes.push_back(bar.value()); });
    bar.setRange(1, 95);  // value 0 is pulled up to the new min
    bar.setValue(50);
    bar.setValue(50);
    bar.setValue(1000);
    bar.setMax(60);  // value 95 is pulled down
    bar.setMin(60);
    EXPECT_EQ(changes, (std::vector<int>{1, 50, 95, 60}));
    EXPECT_THROW(bar.setRange(10, 5), std::invalid_argument);
    EXPECT_THROW(bar.setRange(-40000, 5), std::out_of_range);
    EXPECT_THROW(bar.setMax(32768), std::out_of_range);
    EXPECT_THROW(bar.setSmallChange(0), std::out_of_range);
    EXPECT_THROW(bar.setLargeChange(-1), std::out_of_range);
    EXPECT_EQ(bar.min(), 60);
    EXPECT_EQ(bar.max(), 60);
}

TEST(ScrollBar, StepsNearTheSixteenBitEdgesDoNotOverflow) {
    struct Wide : Form {
        explicit Wide(int& last) {
            auto& bar = add<ScrollBar>("bar");
            bar.setRange(ScrollBar::kLowest, ScrollBar::kHighest);
            bar.setLargeChange(32767);
            bar.onChange([&last, &bar] { last = bar.value(); });
        }
    };
    int last = 0;
    ScriptedUser user = scriptOf({"track bar right 2", "close"});
    {
        ScopedUser scope(user);
        showModal<Wide>(last);
    }
    EXPECT_EQ(last, 32767);
    ScriptedUser back = scriptOf({"track bar left 3", "close"});
    ScopedUser scope(back);
    showModal<Wide>(last);
    EXPECT_EQ(last, -32768);
}

}  // namespace
}  // namespace lvx::dialogs
