#include <gtest/gtest.h>

#include <sstream>

#include "SampleDialog.h"

namespace lvx::dialogs {
namespace {

using testing::Trace;

struct Session {
    std::string output;
    Trace trace;
    CloseReason reason;
};

Session runAtTerminal(const std::string& input) {
    Session session;
    std::istringstream in(input);
    std::ostringstream out;
    TerminalUser user(in, out);
    ScopedUser scope(user);
    session.reason = showModal<testing::SampleDialog>(session.trace);
    session.output = out.str();
    return session;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(TerminalUser, ListsTheDialogAndTakesActionsFromTheStream) {
    const Session s = runAtTerminal("set HRGB(1) 57\noption Sverhu\ntype shir 5a\r\nenter\n");
    EXPECT_EQ(s.reason, CloseReason::Code);
    EXPECT_EQ(s.trace.okText, "105");
    EXPECT_EQ(s.trace.events, (std::vector<std::string>{"change HRGB(1)=57%", "ok"}));
    // The listing before the last action shows what the earlier ones did.
    const std::string last = s.output.substr(s.output.rfind("== Sample =="));
    const std::string expected =
        "== Sample ==\n"
        "  Label1        label           \"Width:\"\n"
        "  shir          text box        [105]\n"
        "  povt          text box        [10]\n"
        "  Hjark         scroll bar      50 (1..95)\n"
        "  HRGB(0)       scroll bar      100 (0..200)\n"
        "  HRGB(1)       scroll bar      57 (0..200)\n"
        "  HRGB(2)       scroll bar      100 (0..200)\n"
        "  lablRGB(0)    label           \"100%\"\n"
        "  lablRGB(1)    label           \"57%\"\n"
        "  lablRGB(2)    label           \"100%\"\n"
        "  Sluch         option button   ( ) \"Random\"\n"
        "  Sverhu        option button   (*) \"Downwards\"\n"
        "  Sprava        option button   ( ) \"Rightwards\"\n"
        "  btnOk         command button  <Ok> default (Enter)\n"
        "  btnCancel     command button  <Cancel> cancel (Esc)\n"
        "> ";
    EXPECT_EQ(last, expected);
}

TEST(TerminalUser, ReportsBadLinesAndRefusedActionsAndAsksAgain) {
    const Session s = runAtTerminal("\nfrobnicate\nclick btnApply\nhelp\nesc\n");
    EXPECT_EQ(s.trace.events, (std::vector<std::string>{"cancel"}));
    EXPECT_TRUE(contains(s.output, "error: unknown action 'frobnicate'"));
    EXPECT_TRUE(contains(s.output, "error: click btnApply: no control named 'btnApply'"));
    EXPECT_TRUE(contains(s.output, "arrow NAME left|right [N]"));
}

TEST(TerminalUser, EndOfInputClosesTheForm) {
    const Session s = runAtTerminal("set Hjark 3\n");
    EXPECT_EQ(s.reason, CloseReason::NoMoreActions);
    EXPECT_EQ(s.trace.events, (std::vector<std::string>{"change Hjark=3"}));
    EXPECT_TRUE(contains(s.output, "(end of input: the form is closed)"));
}

TEST(TerminalUser, CloseLikeTheCloseBox) {
    const Session s = runAtTerminal("close\nenter\n");
    EXPECT_EQ(s.reason, CloseReason::CloseBox);
    EXPECT_TRUE(s.trace.events.empty());
}

TEST(TerminalUser, ShowsAMessageBoxAndWaitsForALine) {
    std::istringstream in("\nsecond line stays\n");
    std::ostringstream out;
    TerminalUser user(in, out);
    ScopedUser scope(user);
    messageBox("Ошибка в точке", "Colors");
    EXPECT_EQ(out.str(), "+-- Colors --\n| Ошибка в точке\n+-- [OK] press Enter\n");
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, "second line stays");  // exactly one line was taken
}

}  // namespace
}  // namespace lvx::dialogs

namespace lvx::dialogs {
namespace {

TEST(TerminalUser, ListingMarksDisabledControlsAndKeepsUtf8Captions) {
    Form form;
    form.setCaption("Размытие");
    form.add<Label>("Label1").setCaption("Повторить размытие:");
    form.add<TextBox>("povt").setEnabled(false);
    EXPECT_EQ(describeForm(form),
              "== Размытие ==\n"
              "  Label1        label           \"Повторить размытие:\"\n"
              "  povt          text box        []  (disabled)\n");
}

}  // namespace
}  // namespace lvx::dialogs
