// Turns a user action into the work it does on a form.
#pragma once

#include <functional>

#include "lvx/dialogs/Action.h"
#include "lvx/dialogs/Form.h"

namespace lvx::dialogs::detail {

class ActionPerformer {
  public:
    // Checks that the form can take the action and returns the step that performs it (raising the
    // controls' events). Throws ActionError when the control is unknown, of another kind or disabled.
    // The close box is the modal loop's own business and is not prepared here.
    static std::function<void()> prepare(Form& form, const Action& action);
};

}  // namespace lvx::dialogs::detail
