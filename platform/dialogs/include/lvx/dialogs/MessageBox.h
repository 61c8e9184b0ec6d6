// A modal message box with a text, an OK button and a title. It goes to the current user (User.h)
// and is reported to the observers first (DialogEvents.h).
#pragma once

#include <string_view>

#include "lvx/dialogs/Export.h"

namespace lvx::dialogs {

enum class MessageBoxResult { Ok = 1 };

LVX_DIALOGS_API MessageBoxResult messageBox(std::string_view text, std::string_view title);

}  // namespace lvx::dialogs
