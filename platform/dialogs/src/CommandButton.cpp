#include "lvx/dialogs/CommandButton.h"

namespace lvx::dialogs {

void CommandButton::click() {
    if (click_) click_();
}

}  // namespace lvx::dialogs
