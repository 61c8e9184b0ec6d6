// An option button. All option buttons of a form form one group in which exactly one is selected:
// the first one added is selected, and selecting another clears it.
#pragma once

#include <functional>
#include <string>

#include "lvx/dialogs/Control.h"

namespace lvx::dialogs {

class LVX_DIALOGS_API OptionButton final : public Control {
  public:
    using EventHandler = std::function<void()>;

    ControlKind kind() const override { return ControlKind::OptionButton; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }

    bool selected() const { return selected_; }
    // Selects this button and clears the others of the form; raises Click when it was not selected.
    void select();

    void onClick(EventHandler handler) { click_ = std::move(handler); }

  private:
    friend class Form;
    OptionButton() = default;
    std::string caption_;
    bool selected_ = false;
    EventHandler click_;
};

}  // namespace lvx::dialogs
