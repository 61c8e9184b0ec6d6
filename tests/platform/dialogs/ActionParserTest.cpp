#include <gtest/gtest.h>

#include "lvx/dialogs/Action.h"

namespace lvx::dialogs {
namespace {

Action make(ActionKind kind, std::string control = {}, int index = -1) {
    Action a;
    a.kind = kind;
    a.control = std::move(control);
    a.index = index;
    return a;
}

struct GoodLine {
    const char* line;
    Action expected;
};

Action typed(std::string control, std::string text) {
    Action a = make(ActionKind::Type, std::move(control));
    a.text = std::move(text);
    return a;
}

Action withValue(ActionKind kind, std::string control, int index, int value) {
    Action a = make(kind, std::move(control), index);
    a.value = value;
    return a;
}

Action stepped(ActionKind kind, std::string control, int index, Direction direction, int count) {
    Action a = make(kind, std::move(control), index);
    a.direction = direction;
    a.count = count;
    return a;
}

Action backspaces(std::string control, int count) {
    Action a = make(ActionKind::Backspace, std::move(control));
    a.count = count;
    return a;
}

TEST(ActionParser, ReadsEveryActionKind) {
    const GoodLine cases[] = {
        {"type shir 12", typed("shir", "12")},
        {"type povt a b ", typed("povt", "a b ")},  // the text is kept verbatim, blanks included
        {"type povt  x", typed("povt", " x")},      // only one blank separates name and text
        {"type Label1 Привет", typed("Label1", "Привет")},
        {"backspace shir", backspaces("shir", 1)},
        {"backspace shir 3", backspaces("shir", 3)},
        {"set HRGB(0) 57", withValue(ActionKind::Set, "HRGB", 0, 57)},
        {"set Hjark -32768", withValue(ActionKind::Set, "Hjark", -1, -32768)},
        {"drag HRGB(2) 120", withValue(ActionKind::Drag, "HRGB", 2, 120)},
        {"arrow HRGB(0) right", stepped(ActionKind::Arrow, "HRGB", 0, Direction::Right, 1)},
        {"arrow Hjark LEFT 4", stepped(ActionKind::Arrow, "Hjark", -1, Direction::Left, 4)},
        {"track Hjark left", stepped(ActionKind::Track, "Hjark", -1, Direction::Left, 1)},
        {"option Sverhu", make(ActionKind::Option, "Sverhu")},
        {"click btnOk", make(ActionKind::Click, "btnOk")},
        {"  Click   btnCancel  ", make(ActionKind::Click, "btnCancel")},
        {"enter", make(ActionKind::Enter)},
        {"esc", make(ActionKind::Escape)},
        {"Escape", make(ActionKind::Escape)},
        {"close", make(ActionKind::Close)},
        {"\tclose\t", make(ActionKind::Close)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(parseAction(c.line), c.expected);
    }
}

TEST(ActionParser, FormatReadsBackToTheSameAction) {
    const char* lines[] = {"type povt a b ",
                           "backspace shir 2",
                           "set HRGB(1) -5",
                           "drag Hjark 9",
                           "arrow HRGB(0) left 3",
                           "track Hjark right",
                           "option Sprava",
                           "click btnOk",
                           "enter",
                           "esc",
                           "close"};
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        const Action action = parseAction(line);
        EXPECT_EQ(formatAction(action), line);
        EXPECT_EQ(parseAction(formatAction(action)), action);
    }
}

struct BadLine {
    const char* line;
    const char* messagePart;
};

TEST(ActionParser, RejectsBadLinesWithAMessageThatSaysWhy) {
    const BadLine cases[] = {
        {"", "empty action"},
        {"   ", "empty action"},
        {"press btnOk", "unknown action 'press'"},
        {"type", "'type' needs a control name"},
        {"type shir", "needs the text to type"},
        {"type shir ", "needs the text to type"},
        {"type shir \xFF", "not valid UTF-8"},
        {"set HRGB(0)", "needs a value"},
        {"set HRGB(0) abc", "'abc' is not a whole number"},
        {"set HRGB(0) 5x", "'5x' is not a whole number"},
        {"set HRGB(0) +5", "'+5' is not a whole number"},
        {"set HRGB(0) 40000", "does not fit 16 bits"},
        {"set HRGB(0) 99999999999999999999", "not a whole number"},
        {"set HRGB(0) 5 6", "unexpected '6' after 'set'"},
        {"drag 1abc 5", "bad control name '1abc'"},
        {"set HRGB( 0) 5", "bad control name 'HRGB('"},
        {"set HRGB(x) 5", "bad index in 'HRGB(x)'"},
        {"set HRGB() 5", "bad control name 'HRGB()'"},
        {"set HRGB(-1) 5", "bad index in 'HRGB(-1)'"},
        {"set HRGB(0 5", "bad control name 'HRGB(0'"},
        {"set HR-GB 5", "bad control name 'HR-GB'"},
        {"arrow HRGB(0)", "needs a direction, left or right"},
        {"arrow HRGB(0) up", "not 'up'"},
        {"arrow HRGB(0) left 0", "count '0' is not a number from 1 to 32767"},
        {"backspace shir many", "count 'many'"},
        {"click", "'click' needs a control name"},
        {"option", "'option' needs a control name"},
        {"enter now", "unexpected 'now' after 'enter'"},
        {"close btnOk", "unexpected 'btnOk' after 'close'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        try {
            parseAction(c.line);
            ADD_FAILURE() << "accepted";
        } catch (const ActionSyntaxError& error) {
            EXPECT_NE(std::string(error.what()).find(c.messagePart), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace lvx::dialogs
