#include <gtest/gtest.h>

#include "SampleDialog.h"

namespace lvx::dialogs {
namespace {

using testing::runSample;
using testing::scriptOf;
using testing::Trace;

struct TypingCase {
    std::vector<std::string> script;  // acted on the sample dialog before Enter
    std::string shir;                 // the digit-filtered box's text when OK runs
};

TEST(TextBox, DigitFilterDiscardsWhatItReplacesByZero) {
    const TypingCase cases[] = {
        {{"backspace shir 2", "type shir a1b2"}, "12"},
        {{"type shir a1b2"}, "1012"},  // typed after the initial "10"
        {{"backspace shir 2", "type shir 7 x-9"}, "79"},
        {{"backspace shir"}, "1"},                      // backspace passes the filter
        {{"backspace shir 5"}, ""},                     // more than there is: stops at empty
        {{"backspace shir 2", "type shir Шир3"}, "3"},  // Cyrillic letters are not digits
        {{}, "10"},
    };
    for (const auto& c : cases) {
        Trace trace;
        auto script = c.script;
        script.push_back("enter");
        auto user = scriptOf(script);
        runSample(trace, user);
        SCOPED_TRACE(script.front());
        EXPECT_EQ(trace.okText, c.shir);
    }
}

// A box shaped by its handler: the key code arrives by reference and may be replaced.
class HandlerBox : public Form {
  public:
    HandlerBox(std::vector<std::int16_t>& seen, std::string& text) : text_(text) {
        box_ = &add<TextBox>("povt");
        box_->onKeyPress([&seen](std::int16_t& key) {
            seen.push_back(key);
            if (key == 'a') key = 'A';  // replaced by another character
            if (key == 'x') key = 8;    // turned into a backspace
        });
        add<CommandButton>("btnOk").onClick([this] {
            text_ = box_->text();
            close();
        });
    }

  private:
    TextBox* box_;
    std::string& text_;
};

TEST(TextBox, HandlerSeesEachCodeAndMayReplaceIt) {
    std::vector<std::int16_t> seen;
    std::string text;
    ScriptedUser user =
        scriptOf({"type povt Яab", "type povt x", "backspace povt", "type povt ж", "click btnOk"});
    ScopedUser scope(user);
    showModal<HandlerBox>(seen, text);
    // 'Я' is U+042F, 'ж' U+0436: the key code is the 16-bit code unit.
    const std::vector<std::int16_t> expected = {0x042F, 'a', 'b', 'x', 8, 0x0436};
    EXPECT_EQ(seen, expected);
    // "ЯAb", then x as backspace -> "ЯA", backspace -> "Я", then "ж".
    EXPECT_EQ(text, "Яж");
}

TEST(TextBox, TextSetByCodeRaisesNoKeyPress) {
    Form form;
    auto& box = form.add<TextBox>("shir");
    int presses = 0;
    box.onKeyPress([&presses](std::int16_t&) { ++presses; });
    box.setText("10");
    EXPECT_EQ(box.text(), "10");
    EXPECT_EQ(presses, 0);
}

TEST(TextBox, ArrayHandlerReceivesTheIndex) {
    struct Boxes : Form {
        Boxes(std::vector<int>& indices, std::string& joined) {
            auto boxes = addArray<TextBox>("t", 2);
            boxes.onKeyPress([&indices](int index, std::int16_t& key) {
                indices.push_back(index);
                if (index == 1) key = 0;  // the second box takes nothing
            });
            add<CommandButton>("btnOk").onClick([this, boxes, &joined] {
                joined = boxes[0].text() + "|" + boxes[1].text();
                close();
            });
        }
    };
    std::vector<int> indices;
    std::string joined;
    ScriptedUser user = scriptOf({"type t(1) q", "type t(0) ab", "click btnOk"});
    ScopedUser scope(user);
    showModal<Boxes>(indices, joined);
    EXPECT_EQ(indices, (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(joined, "ab|");
}

}  // namespace
}  // namespace lvx::dialogs
