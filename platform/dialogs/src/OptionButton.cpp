#include "lvx/dialogs/OptionButton.h"

#include "lvx/dialogs/Form.h"

namespace lvx::dialogs {

void OptionButton::select() {
    if (selected_) return;
    for (const auto& control : form().controls())
        if (control->kind() == ControlKind::OptionButton)
            static_cast<OptionButton&>(*control).selected_ = false;
    selected_ = true;
    if (click_) click_();
}

}  // namespace lvx::dialogs
