#include <gtest/gtest.h>

#include "SampleDialog.h"

namespace lvx::dialogs {
namespace {

using testing::scriptOf;

// An OK handler that fails on some "pixels" and reports each failure in a message box, between
// progress captions, as the colour plug-ins do.
class FailingEffect : public Form {
  public:
    FailingEffect() {
        setCaption("Colors dialog");
        auto& ok = add<CommandButton>("btnOk");
        ok.onClick([this] {
            for (int row = 0; row < 2; ++row) {
                messageBox("Overflow", "Colors");
                setCaption("row " + std::to_string(row));
            }
            close();
        });
        setDefaultButton(&ok);
    }
};

TEST(MessageBox, NestedBoxesAreRecordedInOrderAndConsumeNoAction) {
    EventLog log;
    ScriptedUser user = scriptOf({"enter", "esc"});
    ScopedUser scope(user);
    showModal<FailingEffect>();

    EXPECT_EQ(user.remaining(), 1u);  // the boxes did not eat "esc"
    EXPECT_EQ(user.messages(),
              (std::vector<ScriptedUser::Message>{{"Overflow", "Colors"}, {"Overflow", "Colors"}}));
    using K = DialogEvent::Kind;
    const std::vector<DialogEvent> expected = {
        {K::FormShown, "Colors dialog", "", CloseReason::Code},
        {K::MessageBox, "Overflow", "Colors", CloseReason::Code},
        {K::CaptionChanged, "row 0", "", CloseReason::Code},
        {K::MessageBox, "Overflow", "Colors", CloseReason::Code},
        {K::CaptionChanged, "row 1", "", CloseReason::Code},
        {K::FormClosed, "row 1", "", CloseReason::Code},
    };
    EXPECT_EQ(log.events(), expected);
    EXPECT_EQ(log.messageBoxes(),
              (std::vector<EventLog::Message>{{"Overflow", "Colors"}, {"Overflow", "Colors"}}));
}

TEST(MessageBox, WorksWithoutAFormAndWithoutAUser) {
    EventLog log;
    EXPECT_EQ(messageBox("text", "title"), MessageBoxResult::Ok);
    EXPECT_EQ(log.messageBoxes(), (std::vector<EventLog::Message>{{"text", "title"}}));
}

}  // namespace
}  // namespace lvx::dialogs
