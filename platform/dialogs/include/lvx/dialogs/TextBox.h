// A single-line text box. Typed characters pass one at a time through the key press handler, which
// can replace the character code by another or by 0 to discard it. The caret always stands at the
// end: a typed character is appended, a backspace (code 8) deletes the last character.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "lvx/dialogs/Control.h"

namespace lvx::dialogs {

class LVX_DIALOGS_API TextBox final : public Control {
  public:
    // Receives the character code by reference: the UTF-16 code unit of the typed character held in
    // a signed 16-bit value (8 for backspace). Setting it to 0 discards the key.
    using KeyPressHandler = std::function<void(std::int16_t& keyCode)>;

    ControlKind kind() const override { return ControlKind::TextBox; }

    // UTF-8 text. Setting it from code raises no key press.
    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }

    void onKeyPress(KeyPressHandler handler) { keyPress_ = std::move(handler); }

  private:
    friend class Form;
    friend class detail::ActionPerformer;
    TextBox() = default;

    // One key from the user: through the handler, then applied. Codes below 32 other than 8 and lone
    // surrogates are not inserted (a single-line box has no place for them).
    void pressKey(std::int16_t code);

    std::string text_;
    KeyPressHandler keyPress_;
};

}  // namespace lvx::dialogs
