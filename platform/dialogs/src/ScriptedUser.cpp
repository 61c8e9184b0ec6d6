#include "lvx/dialogs/ScriptedUser.h"

namespace lvx::dialogs {

ScriptedUser::ScriptedUser(std::vector<Action> actions) : actions_(actions.begin(), actions.end()) {}

std::optional<Action> ScriptedUser::nextAction(const Form&) {
    if (actions_.empty()) return std::nullopt;
    Action action = std::move(actions_.front());
    actions_.pop_front();
    return action;
}

void ScriptedUser::actionFailed(const Form&, const Action& action, const std::string& message) {
    // A script that went wrong must not go on clicking: what follows was meant for a dialog in
    // another state.
    if (!failure_) failure_ = formatAction(action) + ": " + message;
    actions_.clear();
}

void ScriptedUser::acknowledgeMessage(std::string_view text, std::string_view title) {
    messages_.push_back(Message{std::string(text), std::string(title)});
}

}  // namespace lvx::dialogs
