// The user that feeds modal forms, and the process-wide choice of it.
//
// A form is shown with no owner and no user argument, so the user is chosen for the whole process:
// the host installs one (a ScriptedUser for tests and batch runs, a TerminalUser for a person) and
// every modal form and message box after that goes to it. With no user installed, every form is
// closed at once as with the close box and every message box is acknowledged. The toolkit is
// single-threaded like the forms it serves: install the user from the thread that shows the forms.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lvx/dialogs/Action.h"
#include "lvx/dialogs/Export.h"

namespace lvx::dialogs {

class Form;

class LVX_DIALOGS_API User {
  public:
    virtual ~User();

    // The next action for the open form, or nothing: then the form is closed as with the close box.
    // Called each time the form waits for input, after the previous action's handlers have returned.
    virtual std::optional<Action> nextAction(const Form& form) = 0;

    // The form could not take `action` (see ActionError); the form stays open.
    virtual void actionFailed(const Form& form, const Action& action, const std::string& message) = 0;

    // A modal message box with an OK button; returns when the user has acknowledged it. Message boxes
    // shown from inside an event handler come here too and consume no action.
    virtual void acknowledgeMessage(std::string_view text, std::string_view title) = 0;
};

// The user that modal forms use now.
LVX_DIALOGS_API User& currentUser();

// Installs `user` (nullptr: none) and returns the user installed before (nullptr when none was).
// The caller keeps ownership and keeps the user alive while it is installed.
LVX_DIALOGS_API User* setCurrentUser(User* user);

// Installs a user for the life of the object and puts the previous one back.
class ScopedUser {
  public:
    explicit ScopedUser(User& user) : previous_(setCurrentUser(&user)) {}
    ScopedUser(const ScopedUser&) = delete;
    ScopedUser& operator=(const ScopedUser&) = delete;
    ~ScopedUser() { setCurrentUser(previous_); }

  private:
    User* previous_;
};

}  // namespace lvx::dialogs
