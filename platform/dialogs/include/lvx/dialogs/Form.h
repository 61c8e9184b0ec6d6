// A dialog window: caption, outer size in twips, window style, icon, and the controls it owns.
//
// A form is shown modally with showModal(), which takes ownership, runs the form's loop on the calling
// thread fed by the current user (see User.h) and destroys the form and its controls when the loop
// ends. Event handlers run inside that loop; a handler ends it with close().
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lvx/dialogs/CommandButton.h"
#include "lvx/dialogs/ControlArray.h"
#include "lvx/dialogs/Export.h"
#include "lvx/dialogs/Icon.h"
#include "lvx/dialogs/Label.h"
#include "lvx/dialogs/OptionButton.h"
#include "lvx/dialogs/ScrollBar.h"
#include "lvx/dialogs/TextBox.h"

namespace lvx::dialogs {

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog };
enum class StartPosition { Manual, CenterOwner, CenterScreen, WindowManagerDefault };

// How a modal loop ended.
enum class CloseReason {
    Code,           // a handler called close()
    CloseBox,       // the user closed the form with the close box
    NoMoreActions,  // the user had no action left (or gave up after an error): as with the close box
    Exception,      // an event handler threw; the exception goes on to showModal's caller
};

LVX_DIALOGS_API const char* closeReasonName(CloseReason reason);

class Form;
LVX_DIALOGS_API CloseReason showModal(std::unique_ptr<Form> form);

class LVX_DIALOGS_API Form {
  public:
    // A dialog's usual frame: fixed single border, no minimise or maximise button, a close box,
    // placed where the window manager puts new windows.
    Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    // The caption can change at any time; while the form is shown every assignment (also of the same
    // text) is reported to the observers, so progress shown in the caption can be followed.
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    // Outer size in twips; negative sizes throw std::invalid_argument.
    int width() const { return width_; }
    int height() const { return height_; }
    void setSize(int width, int height);

    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style) { borderStyle_ = style; }
    bool minButton() const { return minButton_; }
    void setMinButton(bool present) { minButton_ = present; }
    bool maxButton() const { return maxButton_; }
    void setMaxButton(bool present) { maxButton_ = present; }
    bool controlBox() const { return controlBox_; }
    void setControlBox(bool present) { controlBox_ = present; }
    StartPosition startPosition() const { return startPosition_; }
    void setStartPosition(StartPosition position) { startPosition_ = position; }

    // Throws std::invalid_argument unless 1 <= width, height <= 256 and there is one pixel index per
    // pixel. A null icon means none.
    const std::shared_ptr<const IconImage>& icon() const { return icon_; }
    void setIcon(std::shared_ptr<const IconImage> icon);

    // Adds a control of type T (Label, TextBox, ScrollBar, OptionButton, CommandButton). Names are
    // identifiers (a letter, then letters, digits or '_', at most 40) compared without regard to ASCII
    // case; a bad or taken name throws std::invalid_argument.
    template <class T>
    T& add(std::string name) {
        return static_cast<T&>(adopt(std::unique_ptr<Control>(new T()), std::move(name), -1));
    }
    // Adds a control array of `count` (1 to 32767) elements indexed from 0.
    template <class T>
    ControlArray<T> addArray(std::string name, int count) {
        checkArrayCount(count);
        ControlArray<T> array;
        array.name_ = name;
        for (int i = 0; i < count; ++i)
            array.elements_.push_back(&static_cast<T&>(adopt(std::unique_ptr<Control>(new T()), name, i)));
        return array;
    }

    // The control with that name (and index, for an array element), or nullptr. An array element is
    // not found without its index, nor a plain control with one.
    Control* find(std::string_view name, int index = -1) const;
    // True when `name` is the name of a control array.
    bool isArray(std::string_view name) const;
    // The controls in the order they were added.
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // The buttons Enter and Esc press; nullptr for none. The button must belong to this form.
    CommandButton* defaultButton() const { return defaultButton_; }
    void setDefaultButton(CommandButton* button);
    CommandButton* cancelButton() const { return cancelButton_; }
    void setCancelButton(CommandButton* button);

    // Ends the modal loop once the running handler returns (the handler itself goes on to its end).
    void close() { closeRequested_ = true; }
    bool shown() const { return shown_; }

  private:
    friend CloseReason showModal(std::unique_ptr<Form> form);

    Control& adopt(std::unique_ptr<Control> control, std::string name, int index);
    static void checkArrayCount(int count);
    void checkOwnButton(const CommandButton* button) const;

    std::string caption_;
    int width_ = 0;
    int height_ = 0;
    BorderStyle borderStyle_ = BorderStyle::FixedSingle;
    bool minButton_ = false;
    bool maxButton_ = false;
    bool controlBox_ = true;
    StartPosition startPosition_ = StartPosition::WindowManagerDefault;
    std::shared_ptr<const IconImage> icon_;
    std::vector<std::unique_ptr<Control>> controls_;
    CommandButton* defaultButton_ = nullptr;
    CommandButton* cancelButton_ = nullptr;
    bool shown_ = false;
    bool closeRequested_ = false;
};

// Shows the form modally: reports it shown, asks the current user for actions and performs them until
// a handler closes the form, the user closes it with the close box or has no more actions; then
// reports it closed and destroys it. An exception from an event handler destroys the form too and is
// rethrown. Throws std::invalid_argument for a null form.
LVX_DIALOGS_API CloseReason showModal(std::unique_ptr<Form> form);

// Builds a form of type F from the arguments and shows it modally.
template <class F, class... Args>
CloseReason showModal(Args&&... args) {
    return showModal(std::unique_ptr<Form>(new F(std::forward<Args>(args)...)));
}

}  // namespace lvx::dialogs
