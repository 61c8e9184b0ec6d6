// A static text on a form.
#pragma once

#include <string>

#include "lvx/dialogs/Control.h"

namespace lvx::dialogs {

enum class Alignment { Left, Right, Center };

class LVX_DIALOGS_API Label final : public Control {
  public:
    ControlKind kind() const override { return ControlKind::Label; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment) { alignment_ = alignment; }

  private:
    friend class Form;
    Label() = default;
    std::string caption_;
    Alignment alignment_ = Alignment::Left;
};

}  // namespace lvx::dialogs
