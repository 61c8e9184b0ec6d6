// A dialog with one control of each kind, shaped like the plug-ins' dialogs, that writes what its
// handlers saw into a Trace that outlives it (the form is destroyed when its modal loop ends).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lvx/Dialogs.h"

namespace lvx::dialogs::testing {

struct Trace {
    std::vector<std::string> events;  // "change HRGB(1)=57", "scroll Hjark=51", "ok", "cancel", ...
    std::string okText;               // shir's text when OK was pressed
    bool* destroyed = nullptr;        // set when the form is destroyed
};

class SampleDialog : public Form {
  public:
    explicit SampleDialog(Trace& trace) : trace_(trace) {
        setCaption("Sample");
        setSize(4125, 1695);

        auto& label = add<Label>("Label1");
        label.setCaption("Width:");
        label.setAlignment(Alignment::Right);
        shir_ = &add<TextBox>("shir");
        shir_->setText("10");
        shir_->onKeyPress([](std::int16_t& key) {
            if (!((key >= 48 && key <= 57) || key == 8)) key = 0;
        });
        add<TextBox>("povt").setText("10");

        Hjark_ = &add<ScrollBar>("Hjark");
        Hjark_->setRange(1, 95);
        Hjark_->setValue(50);
        Hjark_->setSmallChange(1);
        Hjark_->setLargeChange(10);
        Hjark_->onChange(
            [this] { trace_.events.push_back("change Hjark=" + std::to_string(Hjark_->value())); });
        Hjark_->onScroll(
            [this] { trace_.events.push_back("scroll Hjark=" + std::to_string(Hjark_->value())); });

        HRGB_ = addArray<ScrollBar>("HRGB", 3);
        lablRGB_ = addArray<Label>("lablRGB", 3);
        for (ScrollBar* bar : HRGB_) {
            bar->setRange(0, 200);
            bar->setValue(100);
        }
        for (Label* l : lablRGB_)
            l->setCaption("100%");
        HRGB_.onChange([this](int i) { showPercent("change", i); });
        HRGB_.onScroll([this](int i) { showPercent("scroll", i); });

        add<OptionButton>("Sluch").setCaption("Random");
        add<OptionButton>("Sverhu").setCaption("Downwards");
        add<OptionButton>("Sprava").setCaption("Rightwards");

        auto& ok = add<CommandButton>("btnOk");
        ok.setCaption("Ok");
        ok.onClick([this] {
            trace_.events.push_back("ok");
            trace_.okText = shir_->text();
            close();
        });
        auto& cancel = add<CommandButton>("btnCancel");
        cancel.setCaption("Cancel");
        cancel.onClick([this] {
            trace_.events.push_back("cancel");
            close();
        });
        setDefaultButton(&ok);
        setCancelButton(&cancel);
    }
    ~SampleDialog() override {
        if (trace_.destroyed) *trace_.destroyed = true;
    }

  private:
    void showPercent(const char* event, int i) {
        lablRGB_[i].setCaption(std::to_string(HRGB_[i].value()) + "%");
        trace_.events.push_back(std::string(event) + " HRGB(" + std::to_string(i) +
                                ")=" + lablRGB_[i].caption());
    }

    Trace& trace_;
    TextBox* shir_;
    ScrollBar* Hjark_;
    ControlArray<ScrollBar> HRGB_;
    ControlArray<Label> lablRGB_;
};

// Runs the sample dialog with a scripted user playing `lines`; returns how the loop ended.
inline CloseReason runSample(Trace& trace, ScriptedUser& user) {
    ScopedUser scope(user);
    return showModal<SampleDialog>(trace);
}

inline ScriptedUser scriptOf(const std::vector<std::string>& lines) {
    ScriptedUser user;
    for (const auto& line : lines)
        user.add(line);
    return user;
}

}  // namespace lvx::dialogs::testing

namespace lvx::dialogs::testing {

// Plays a script like ScriptedUser and looks at the open form each time it is asked for an action,
// so a test can see control states that vanish with the form.
class ProbingUser final : public User {
  public:
    using Probe = std::function<void(const Form&)>;
    ProbingUser(ScriptedUser& script, Probe probe) : script_(script), probe_(std::move(probe)) {}

    std::optional<Action> nextAction(const Form& form) override {
        probe_(form);
        return script_.nextAction(form);
    }
    void actionFailed(const Form& form, const Action& action, const std::string& message) override {
        script_.actionFailed(form, action, message);
    }
    void acknowledgeMessage(std::string_view text, std::string_view title) override {
        script_.acknowledgeMessage(text, title);
    }

  private:
    ScriptedUser& script_;
    Probe probe_;
};

}  // namespace lvx::dialogs::testing
