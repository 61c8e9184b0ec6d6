#include "lvx/dialogs/MessageBox.h"

#include "Publish.h"
#include "lvx/dialogs/User.h"

namespace lvx::dialogs {

MessageBoxResult messageBox(std::string_view text, std::string_view title) {
    detail::publish(
        DialogEvent{DialogEvent::Kind::MessageBox, std::string(text), std::string(title), CloseReason::Code});
    currentUser().acknowledgeMessage(text, title);
    return MessageBoxResult::Ok;
}

}  // namespace lvx::dialogs
