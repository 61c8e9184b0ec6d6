// One user action on a modal form, and its one-line text form.
//
//   type NAME TEXT            type TEXT (everything after the single space that follows NAME, UTF-8)
//                             into a text box, one key press per character
//   backspace NAME [N]        press backspace N times (default 1) in a text box
//   set NAME VALUE            move a scroll bar's thumb to VALUE at once (one Change)
//   drag NAME VALUE           drag the thumb to VALUE: one Scroll per unit step, Change at release
//   arrow NAME left|right [N] click an arrow N times: each click moves by the small change (Change)
//   track NAME left|right [N] click the track N times: each click moves by the large change (Change)
//   option NAME               select an option button
//   click NAME                click a command button
//   enter                     press Enter (clicks the default button, if any)
//   esc                       press Esc (clicks the cancel button, if any)
//   close                     close the form with the close box
//
// NAME is a control name, with the index in parentheses for an element of a control array:
// `shir`, `HRGB(0)`. Keywords and directions may be written in any case; names match without regard
// to ASCII case. VALUE is a 16-bit signed number, N a count from 1 to 32767. Blanks around words are
// free, except that `type` keeps its text verbatim.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "lvx/dialogs/Export.h"
#include "lvx/dialogs/ScrollBar.h"

namespace lvx::dialogs {

enum class ActionKind { Type, Backspace, Set, Drag, Arrow, Track, Option, Click, Enter, Escape, Close };

struct Action {
    ActionKind kind = ActionKind::Close;
    std::string control;  // empty for enter, esc and close
    int index = -1;       // array index, -1 for a plain control
    std::string text;     // type: the characters to type
    int value = 0;        // set, drag: the target value
    int count = 1;        // backspace, arrow, track: how many times
    Direction direction = Direction::Right;

    bool operator==(const Action&) const = default;
};

// A line that is not an action.
class LVX_DIALOGS_API ActionSyntaxError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An action the open form cannot take: unknown or disabled control, control of the wrong kind.
class LVX_DIALOGS_API ActionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Parses one action; throws ActionSyntaxError with a message that names what is wrong.
LVX_DIALOGS_API Action parseAction(std::string_view line);

// The canonical text of an action; parseAction(formatAction(a)) == a.
LVX_DIALOGS_API std::string formatAction(const Action& action);

// A short description of the syntax above, for help texts.
LVX_DIALOGS_API const char* actionSyntaxHelp();

}  // namespace lvx::dialogs
