// The modal loop: the form waits for its user, performs each action and ends when it is closed.
#include <stdexcept>

#include "ActionPerformer.h"
#include "Publish.h"
#include "lvx/dialogs/Form.h"
#include "lvx/dialogs/User.h"

namespace lvx::dialogs {

namespace {

void publishClosed(const Form& form, CloseReason reason) {
    detail::publish(DialogEvent{DialogEvent::Kind::FormClosed, form.caption(), {}, reason});
}

}  // namespace

CloseReason showModal(std::unique_ptr<Form> form) {
    if (!form) throw std::invalid_argument("showModal needs a form");
    // The user is taken once: a form is fed by the user that was installed when it appeared.
    User& user = currentUser();
    form->shown_ = true;
    form->closeRequested_ = false;
    detail::publish(DialogEvent{DialogEvent::Kind::FormShown, form->caption(), {}, CloseReason::Code});
    CloseReason reason = CloseReason::Code;
    try {
        while (!form->closeRequested_) {
            std::optional<Action> action = user.nextAction(*form);
            if (!action) {
                reason = CloseReason::NoMoreActions;
                break;
            }
            if (action->kind == ActionKind::Close) {
                reason = CloseReason::CloseBox;
                break;
            }
            std::function<void()> step;
            try {
                step = detail::ActionPerformer::prepare(*form, *action);
            } catch (const ActionError& error) {
                user.actionFailed(*form, *action, error.what());
                continue;
            }
            // Handlers run outside the catch above: what they throw is theirs and ends the loop.
            step();
        }
    } catch (...) {
        publishClosed(*form, CloseReason::Exception);
        throw;  // the form is destroyed as the exception leaves
    }
    publishClosed(*form, reason);
    form.reset();
    return reason;
}

}  // namespace lvx::dialogs
