// A push button. The form may name one command button its default button (pressed by Enter) and one
// its cancel button (pressed by Esc).
#pragma once

#include <functional>
#include <string>

#include "lvx/dialogs/Control.h"

namespace lvx::dialogs {

class LVX_DIALOGS_API CommandButton final : public Control {
  public:
    using EventHandler = std::function<void()>;

    ControlKind kind() const override { return ControlKind::CommandButton; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }

    void onClick(EventHandler handler) { click_ = std::move(handler); }

  private:
    friend class Form;
    friend class detail::ActionPerformer;
    CommandButton() = default;
    void click();

    std::string caption_;
    EventHandler click_;
};

}  // namespace lvx::dialogs
