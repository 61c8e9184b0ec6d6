// Reading an open plug-in dialog from the user's side: a description of the form and its controls,
// and a user that looks at the form each time it waits for input and then plays a script.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "lvx/Dialogs.h"

namespace lvx::plugins::test {

// One line for the form (caption, outer size, border, buttons of the title bar, placement, icon
// size), then one line per control in the order the form holds them: name, kind, left top width
// height, and its caption, text or range and value, alignment, selection, default or cancel role.
std::vector<std::string> DescribeForm(const lvx::dialogs::Form& form);

// The caption of label `name` (element `index` of an array), "" when there is none.
std::string LabelCaption(const lvx::dialogs::Form& form, const char* name, int index = -1);

class WatchingUser final : public lvx::dialogs::User {
  public:
    explicit WatchingUser(std::function<void(const lvx::dialogs::Form&)> watch) : watch_(std::move(watch)) {}

    lvx::dialogs::ScriptedUser script;

    std::optional<lvx::dialogs::Action> nextAction(const lvx::dialogs::Form& form) override {
        watch_(form);
        return script.nextAction(form);
    }
    void actionFailed(const lvx::dialogs::Form& form, const lvx::dialogs::Action& action,
                      const std::string& message) override {
        script.actionFailed(form, action, message);
    }
    void acknowledgeMessage(std::string_view text, std::string_view title) override {
        script.acknowledgeMessage(text, title);
    }

  private:
    std::function<void(const lvx::dialogs::Form&)> watch_;
};

}  // namespace lvx::plugins::test
