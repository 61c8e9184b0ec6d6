#include <gtest/gtest.h>

#include <stdexcept>

#include "SampleDialog.h"

namespace lvx::dialogs {
namespace {

using testing::runSample;
using testing::scriptOf;
using testing::Trace;

TEST(Form, NewFormHasTheDialogFrame) {
    Form form;
    EXPECT_EQ(form.borderStyle(), BorderStyle::FixedSingle);
    EXPECT_FALSE(form.minButton());
    EXPECT_FALSE(form.maxButton());
    EXPECT_TRUE(form.controlBox());
    EXPECT_EQ(form.startPosition(), StartPosition::WindowManagerDefault);
    EXPECT_EQ(form.icon(), nullptr);
}

TEST(Form, KeepsAValidIconAndRefusesAMalformedOne) {
    Form form;
    auto icon = std::make_shared<IconImage>();
    icon->width = 48;
    icon->height = 48;
    icon->palette[255] = 0x00FF8000;
    icon->pixels.assign(48 * 48, 255);
    form.setIcon(icon);
    EXPECT_EQ(form.icon()->palette[form.icon()->pixels[0]], 0x00FF8000u);

    auto shortPixels = std::make_shared<IconImage>(*icon);
    shortPixels->pixels.pop_back();
    EXPECT_THROW(form.setIcon(shortPixels), std::invalid_argument);
    auto empty = std::make_shared<IconImage>();
    EXPECT_THROW(form.setIcon(empty), std::invalid_argument);
    EXPECT_EQ(form.icon(), icon);  // a refused icon leaves the old one
}

TEST(Form, FindsControlsByNameAndIndexWithoutRegardToCase) {
    Trace trace;
    testing::SampleDialog form(trace);
    ASSERT_NE(form.find("shir"), nullptr);
    EXPECT_EQ(form.find("SHIR"), form.find("shir"));
    EXPECT_EQ(form.find("HRGB", 2)->displayName(), "HRGB(2)");
    EXPECT_EQ(form.find("hrgb", 0), form.find("HRGB", 0));
    EXPECT_EQ(form.find("HRGB"), nullptr);  // an array element needs its index
    EXPECT_EQ(form.find("HRGB", 3), nullptr);
    EXPECT_EQ(form.find("shir", 0), nullptr);
    EXPECT_EQ(form.find("nothing"), nullptr);
    EXPECT_TRUE(form.isArray("HRGB"));
    EXPECT_FALSE(form.isArray("shir"));
}

TEST(Form, RefusesBadAndDuplicateNames) {
    Form form;
    form.add<Label>("Label1");
    form.addArray<ScrollBar>("HRGB", 2);
    EXPECT_THROW(form.add<Label>("label1"), std::invalid_argument);
    EXPECT_THROW(form.add<Label>("HRGB"), std::invalid_argument);
    EXPECT_THROW(form.addArray<ScrollBar>("hrgb", 1), std::invalid_argument);
    EXPECT_THROW(form.add<Label>("1st"), std::invalid_argument);
    EXPECT_THROW(form.add<Label>("with space"), std::invalid_argument);
    EXPECT_THROW(form.add<Label>(""), std::invalid_argument);
    EXPECT_THROW(form.add<Label>(std::string(41, 'a')), std::invalid_argument);
    EXPECT_THROW(form.addArray<Label>("Empty", 0), std::invalid_argument);
    EXPECT_EQ(form.controls().size(), 3u);
}

TEST(Form, RefusesAButtonOfAnotherForm) {
    Form one;
    Form two;
    auto& button = one.add<CommandButton>("btnOk");
    EXPECT_THROW(two.setDefaultButton(&button), std::invalid_argument);
    EXPECT_THROW(two.setCancelButton(&button), std::invalid_argument);
    EXPECT_EQ(two.defaultButton(), nullptr);
}

TEST(Form, ControlsKeepTheirBoundsAndRefuseNegativeSizes) {
    Form form;
    auto& label = form.add<Label>("Label1");
    label.setBounds(45, 90, 735, 240);
    EXPECT_EQ(label.bounds().left, 45);
    EXPECT_EQ(label.bounds().top, 90);
    EXPECT_EQ(label.bounds().width, 735);
    EXPECT_EQ(label.bounds().height, 240);
    EXPECT_THROW(label.setBounds(0, 0, -1, 10), std::invalid_argument);
    EXPECT_THROW(form.setSize(10, -1), std::invalid_argument);
}

struct KeyCase {
    std::vector<std::string> script;
    std::vector<std::string> events;
    CloseReason reason;
};

TEST(Form, EnterEscAndCloseBoxEndTheDialog) {
    const KeyCase cases[] = {
        {{"enter"}, {"ok"}, CloseReason::Code},
        {{"esc"}, {"cancel"}, CloseReason::Code},
        {{"click btnOk"}, {"ok"}, CloseReason::Code},
        {{"click btnCancel"}, {"cancel"}, CloseReason::Code},
        {{"close"}, {}, CloseReason::CloseBox},
        // The loop ends with the handler that closed the form; what follows stays with the user.
        {{"enter", "esc"}, {"ok"}, CloseReason::Code},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.front());
        Trace trace;
        auto user = scriptOf(c.script);
        EXPECT_EQ(runSample(trace, user), c.reason);
        EXPECT_EQ(trace.events, c.events);
        EXPECT_EQ(user.remaining(), c.script.size() - 1);
    }
}

TEST(Form, EnterAndEscDoNothingWithoutSuchButtons) {
    struct Plain : Form {
        explicit Plain(bool disabledButtons, int& clicks) {
            auto& ok = add<CommandButton>("btnOk");
            ok.onClick([&clicks] { ++clicks; });
            if (disabledButtons) {
                ok.setEnabled(false);
                setDefaultButton(&ok);
                setCancelButton(&ok);
            }
        }
    };
    for (bool disabled : {false, true}) {
        int clicks = 0;
        ScriptedUser user = scriptOf({"enter", "esc", "close"});
        ScopedUser scope(user);
        EXPECT_EQ(showModal<Plain>(disabled, clicks), CloseReason::CloseBox);
        EXPECT_EQ(clicks, 0);
        EXPECT_FALSE(user.failure());
    }
}

TEST(Form, IsDestroyedWhenTheLoopEndsAlsoThroughAnException) {
    bool destroyed = false;
    Trace trace;
    trace.destroyed = &destroyed;
    auto user = scriptOf({"enter"});
    runSample(trace, user);
    EXPECT_TRUE(destroyed);

    struct Throwing : Form {
        explicit Throwing(bool& gone) : gone_(gone) {
            add<CommandButton>("btnOk").onClick([] { throw std::runtime_error("effect failed"); });
        }
        ~Throwing() override { gone_ = true; }
        bool& gone_;
    };
    bool gone = false;
    EventLog log;
    ScriptedUser clicker = scriptOf({"click btnOk"});
    ScopedUser scope(clicker);
    EXPECT_THROW(showModal<Throwing>(gone), std::runtime_error);
    EXPECT_TRUE(gone);
    ASSERT_FALSE(log.events().empty());
    EXPECT_EQ(log.events().back().kind, DialogEvent::Kind::FormClosed);
    EXPECT_EQ(log.events().back().reason, CloseReason::Exception);
}

// A handler that opens another modal form: the inner loop takes the user's actions until it ends,
// then the outer form goes on with the rest.
TEST(Form, AFormOpenedFromAHandlerTakesTheActionsUntilItCloses) {
    struct Outer : Form {
        explicit Outer(Trace& trace) {
            setCaption("Outer");
            add<CommandButton>("btnMore").onClick([&trace] { showModal<testing::SampleDialog>(trace); });
            add<CommandButton>("btnDone").onClick([this, &trace] {
                trace.events.push_back("outer done");
                close();
            });
        }
    };
    Trace trace;
    EventLog log;
    ScriptedUser user = scriptOf({"click btnMore", "set Hjark 3", "esc", "click btnDone"});
    ScopedUser scope(user);
    EXPECT_EQ(showModal<Outer>(trace), CloseReason::Code);
    EXPECT_EQ(trace.events, (std::vector<std::string>{"change Hjark=3", "cancel", "outer done"}));
    using K = DialogEvent::Kind;
    std::vector<std::pair<K, std::string>> shownAndClosed;
    for (const auto& e : log.events())
        shownAndClosed.emplace_back(e.kind, e.text);
    EXPECT_EQ(shownAndClosed, (std::vector<std::pair<K, std::string>>{{K::FormShown, "Outer"},
                                                                      {K::FormShown, "Sample"},
                                                                      {K::FormClosed, "Sample"},
                                                                      {K::FormClosed, "Outer"}}));
}

TEST(Form, RefusesANullForm) {
    EXPECT_THROW(showModal(std::unique_ptr<Form>()), std::invalid_argument);
}

// An OK handler that runs an "effect" and shows progress in the caption, as the plug-ins do.
class ProgressDialog : public Form {
  public:
    ProgressDialog() {
        setCaption("Blur");
        setCaption("Blur");  // set before the form is shown: not reported
        auto& ok = add<CommandButton>("btnOk");
        ok.onClick([this] {
            for (int row = 0; row <= 2; ++row)
                setCaption("Done " + std::to_string(row * 50) + "%");
            setCaption("Done 100%");  // the same text twice is two caption changes
            setCaption("Done 100%");
            close();
            setCaption("after close");  // the handler runs on to its end
        });
        setDefaultButton(&ok);
    }
};

TEST(Form, EveryCaptionChangeWhileShownIsObservableInOrder) {
    EventLog log;
    ScriptedUser user = scriptOf({"enter"});
    ScopedUser scope(user);
    showModal<ProgressDialog>();
    const std::vector<std::string> expected = {"Done 0%",   "Done 50%",  "Done 100%",
                                               "Done 100%", "Done 100%", "after close"};
    EXPECT_EQ(log.captions(), expected);
    ASSERT_EQ(log.events().size(), expected.size() + 2);
    EXPECT_EQ(log.events().front(),
              (DialogEvent{DialogEvent::Kind::FormShown, "Blur", "", CloseReason::Code}));
    EXPECT_EQ(log.events().back(),
              (DialogEvent{DialogEvent::Kind::FormClosed, "after close", "", CloseReason::Code}));
}

TEST(Form, ObserversAreToldInOrderUntilDetached) {
    struct Counting : Observer {
        void notify(const DialogEvent&) override { ++count; }
        int count = 0;
    };
    Counting first;
    Counting second;
    attachObserver(first);
    attachObserver(first);  // no double count
    {
        ScopedObserver scoped(second);
        ScriptedUser user = scriptOf({"enter"});
        ScopedUser scope(user);
        showModal<ProgressDialog>();
    }
    detachObserver(first);
    ScriptedUser user = scriptOf({"enter"});
    ScopedUser scope(user);
    showModal<ProgressDialog>();
    EXPECT_EQ(first.count, 8);
    EXPECT_EQ(second.count, 8);
}

}  // namespace
}  // namespace lvx::dialogs
