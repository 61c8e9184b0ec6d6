// Base of every control a form holds: its name (and index inside a control array), its position and
// size in twips, and whether it takes user input.
#pragma once

#include <string>

#include "lvx/dialogs/Export.h"

namespace lvx::dialogs {

class Form;

namespace detail {
class ActionPerformer;
}

enum class ControlKind { Label, TextBox, ScrollBar, OptionButton, CommandButton };

// "label", "text box", "scroll bar", "option button", "command button": used in messages and listings.
LVX_DIALOGS_API const char* kindName(ControlKind kind);

// Position and size in twips (1/1440 inch), relative to the form's client area.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class LVX_DIALOGS_API Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    virtual ControlKind kind() const = 0;

    const std::string& name() const { return name_; }
    // Index inside its control array, or -1 for a control that is not an array element.
    int index() const { return index_; }
    // "HRGB(0)" for an array element, the plain name otherwise: how a user addresses the control.
    std::string displayName() const;

    const Bounds& bounds() const { return bounds_; }
    // Throws std::invalid_argument for a negative width or height.
    void setBounds(int left, int top, int width, int height);

    // A disabled control refuses every user action aimed at it; code can still change it.
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    Form& form() const { return *form_; }

  protected:
    Control() = default;

  private:
    friend class Form;
    Form* form_ = nullptr;
    std::string name_;
    int index_ = -1;
    Bounds bounds_;
    bool enabled_ = true;
};

}  // namespace lvx::dialogs
