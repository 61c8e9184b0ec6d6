#include <gtest/gtest.h>

#include "SampleDialog.h"

namespace lvx::dialogs {
namespace {

using testing::runSample;
using testing::scriptOf;
using testing::Trace;

TEST(ScriptedUser, RunningOutOfActionsClosesTheFormAsWithTheCloseBox) {
    Trace trace;
    auto user = scriptOf({"set Hjark 60"});
    EXPECT_EQ(runSample(trace, user), CloseReason::NoMoreActions);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"change Hjark=60"}));  // no OK, no Cancel
    EXPECT_FALSE(user.failure());

    Trace empty;
    ScriptedUser none;
    EXPECT_EQ(runSample(empty, none), CloseReason::NoMoreActions);
    EXPECT_TRUE(empty.events.empty());
}

TEST(ScriptedUser, WithNoUserInstalledFormsCloseAtOnce) {
    ASSERT_EQ(setCurrentUser(nullptr), nullptr);  // the tests leave no user behind
    Trace trace;
    EXPECT_EQ(showModal<testing::SampleDialog>(trace), CloseReason::NoMoreActions);
    EXPECT_TRUE(trace.events.empty());
}

TEST(ScriptedUser, SetCurrentUserHandsBackThePreviousOne) {
    ScriptedUser a;
    ScriptedUser b;
    EXPECT_EQ(setCurrentUser(&a), nullptr);
    {
        ScopedUser scope(b);
        EXPECT_EQ(&currentUser(), &b);
    }
    EXPECT_EQ(&currentUser(), &a);
    EXPECT_EQ(setCurrentUser(nullptr), &a);
}

TEST(ScriptedUser, LeftoverActionsGoToTheNextForm) {
    auto user = scriptOf({"backspace shir", "enter", "backspace shir 2", "type shir 5", "enter"});
    Trace first;
    Trace second;
    runSample(first, user);
    runSample(second, user);
    EXPECT_EQ(first.okText, "1");
    EXPECT_EQ(second.okText, "5");  // the second form starts afresh with "10"
    EXPECT_EQ(user.remaining(), 0u);
}

struct FailureCase {
    std::string action;
    std::string failure;
};

TEST(ScriptedUser, AnActionTheFormCannotTakeStopsTheScript) {
    const FailureCase cases[] = {
        {"click btnApply", "click btnApply: no control named 'btnApply' on the form \"Sample\""},
        {"set HRGB 5", "set HRGB 5: 'HRGB' is a control array: name an element, e.g. HRGB(0)"},
        {"set HRGB(3) 5", "set HRGB(3) 5: control array 'HRGB' has no element 3"},
        {"type shir(0) 5", "type shir(0) 5: 'shir' is not a control array"},
        {"type Label1 x", "type Label1 x: 'Label1' is a label, not a text box"},
        {"click Sluch", "click Sluch: 'Sluch' is an option button, not a command button"},
        {"option btnOk", "option btnOk: 'btnOk' is a command button, not an option button"},
        {"drag shir 5", "drag shir 5: 'shir' is a text box, not a scroll bar"},
        {"arrow lablRGB(0) left", "arrow lablRGB(0) left: 'lablRGB(0)' is a label, not a scroll bar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Trace trace;
        auto user = scriptOf({c.action, "enter", "enter"});
        // The rest of the script is dropped and the form closed as with the close box: OK never runs.
        EXPECT_EQ(runSample(trace, user), CloseReason::NoMoreActions);
        EXPECT_TRUE(trace.events.empty());
        EXPECT_EQ(user.remaining(), 0u);
        ASSERT_TRUE(user.failure());
        EXPECT_EQ(*user.failure(), c.failure);
    }
}

// A form whose controls start disabled.
class DisabledControls : public Form {
  public:
    explicit DisabledControls(int& clicks) {
        setCaption("Disabled");
        add<TextBox>("shir").setEnabled(false);
        add<ScrollBar>("bar").setEnabled(false);
        add<OptionButton>("opt").setEnabled(false);
        auto& button = add<CommandButton>("btnOk");
        button.onClick([&clicks] { ++clicks; });
        button.setEnabled(false);
    }
};

TEST(ScriptedUser, ActionsOnDisabledControlsAreRefused) {
    for (const char* action : {"type shir 1", "backspace shir", "set bar 1", "drag bar 1", "arrow bar right",
                               "track bar left", "option opt", "click btnOk"}) {
        SCOPED_TRACE(action);
        int clicks = 0;
        ScriptedUser user = scriptOf({action});
        ScopedUser scope(user);
        showModal<DisabledControls>(clicks);
        ASSERT_TRUE(user.failure());
        EXPECT_NE(user.failure()->find("is disabled"), std::string::npos) << *user.failure();
        EXPECT_EQ(clicks, 0);
    }
}

TEST(ScriptedUser, AfterAFailureLaterFormsCloseAtOnceAndTheFirstFailureStays) {
    auto user = scriptOf({"click nothing", "enter"});
    Trace first;
    Trace second;
    runSample(first, user);
    EXPECT_EQ(runSample(second, user), CloseReason::NoMoreActions);
    EXPECT_TRUE(second.events.empty());
    // Actions added later are played, and a second failure does not hide the first.
    user.add("click other");
    Trace third;
    runSample(third, user);
    EXPECT_EQ(user.failure()->rfind("click nothing: ", 0), 0u);
}

TEST(ScriptedUser, AddRefusesABadLineAndKeepsTheOthers) {
    ScriptedUser user;
    user.add("enter");
    EXPECT_THROW(user.add("push btnOk"), ActionSyntaxError);
    EXPECT_EQ(user.remaining(), 1u);
}

}  // namespace
}  // namespace lvx::dialogs
