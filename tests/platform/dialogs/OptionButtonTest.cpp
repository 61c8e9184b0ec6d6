#include <gtest/gtest.h>

#include "SampleDialog.h"

namespace lvx::dialogs {
namespace {

using testing::ProbingUser;
using testing::scriptOf;
using testing::Trace;

// Which options are selected, e.g. "100" for the first of three.
std::string selection(const Form& form) {
    std::string bits;
    for (const auto& control : form.controls())
        if (control->kind() == ControlKind::OptionButton)
            bits += static_cast<const OptionButton&>(*control).selected() ? '1' : '0';
    return bits;
}

TEST(OptionButton, ExactlyOneOfTheGroupIsSelected) {
    Trace trace;
    ScriptedUser script =
        scriptOf({"option Sverhu", "option Sprava", "option Sprava", "option sluch", "close"});
    std::vector<std::string> seen;
    ProbingUser user(script, [&seen](const Form& form) { seen.push_back(selection(form)); });
    ScopedUser scope(user);
    showModal<testing::SampleDialog>(trace);
    // The first option added starts selected; each selection clears the others.
    EXPECT_EQ(seen, (std::vector<std::string>{"100", "010", "001", "001", "100"}));
}

TEST(OptionButton, ClickIsRaisedWhenTheButtonBecomesSelected) {
    Form form;
    auto& a = form.add<OptionButton>("a");
    auto& b = form.add<OptionButton>("b");
    int aClicks = 0;
    int bClicks = 0;
    a.onClick([&] { ++aClicks; });
    b.onClick([&] { ++bClicks; });
    b.select();
    b.select();
    a.select();
    EXPECT_TRUE(a.selected());
    EXPECT_FALSE(b.selected());
    EXPECT_EQ(aClicks, 1);
    EXPECT_EQ(bClicks, 1);
}

TEST(OptionButton, AnOptionSelectedBeforeTheOthersArriveStaysSelected) {
    Form form;
    auto& first = form.add<OptionButton>("first");
    form.add<Label>("between");
    auto& second = form.add<OptionButton>("second");
    second.select();
    auto& third = form.add<OptionButton>("third");
    EXPECT_FALSE(first.selected());
    EXPECT_TRUE(second.selected());
    EXPECT_FALSE(third.selected());
}

}  // namespace
}  // namespace lvx::dialogs
