// A person at a terminal. Before each action it lists the open form (caption and every control with
// its state) on the output stream and reads one line from the input stream in the action syntax
// (Action.h). `help` lists the syntax, `show` lists the form again, a blank line is ignored; a bad
// line or an action the form cannot take is reported and the person is asked again. End of input
// closes the form as with the close box. A message box is printed and waits for one line (any).
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "lvx/dialogs/User.h"

namespace lvx::dialogs {

class LVX_DIALOGS_API TerminalUser final : public User {
  public:
    // Both streams must outlive the user.
    TerminalUser(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    std::optional<Action> nextAction(const Form& form) override;
    void actionFailed(const Form& form, const Action& action, const std::string& message) override;
    void acknowledgeMessage(std::string_view text, std::string_view title) override;

  private:
    std::istream& in_;
    std::ostream& out_;
};

// The listing TerminalUser prints: the caption on the first line, then one line per control in the
// order they were added, e.g. `  HRGB(0)      scroll bar     57 (0..200)`.
LVX_DIALOGS_API std::string describeForm(const Form& form);

}  // namespace lvx::dialogs
