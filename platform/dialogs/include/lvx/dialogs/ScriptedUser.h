// A user that plays a list of actions: for tests and batch runs.
//
// Actions are taken in order across every form it serves; what one form leaves goes to the next.
// When the list is empty while a form is open, the form is closed as with the close box. When the
// form cannot take an action (unknown, disabled or wrong kind of control) the user records the
// failure, drops the remaining actions and so closes the form as with the close box; later forms are
// closed at once too. Message boxes are acknowledged without consuming an action and recorded.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lvx/dialogs/Action.h"
#include "lvx/dialogs/User.h"

namespace lvx::dialogs {

class LVX_DIALOGS_API ScriptedUser final : public User {
  public:
    struct Message {
        std::string text;
        std::string title;
        bool operator==(const Message&) const = default;
    };

    ScriptedUser() = default;
    explicit ScriptedUser(std::vector<Action> actions);

    void add(Action action) { actions_.push_back(std::move(action)); }
    // Parses the line (ActionSyntaxError on a bad one, nothing added then) and adds the action.
    void add(std::string_view line) { add(parseAction(line)); }

    std::size_t remaining() const { return actions_.size(); }
    // The first failure: "ACTION: message". Empty while every action was taken.
    const std::optional<std::string>& failure() const { return failure_; }
    // The message boxes acknowledged, in order.
    const std::vector<Message>& messages() const { return messages_; }

    std::optional<Action> nextAction(const Form& form) override;
    void actionFailed(const Form& form, const Action& action, const std::string& message) override;
    void acknowledgeMessage(std::string_view text, std::string_view title) override;

  private:
    std::deque<Action> actions_;
    std::optional<std::string> failure_;
    std::vector<Message> messages_;
};

}  // namespace lvx::dialogs
