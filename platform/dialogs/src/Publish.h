// Hands an event to every attached observer.
#pragma once

#include "lvx/dialogs/DialogEvents.h"

namespace lvx::dialogs::detail {

void publish(const DialogEvent& event);

}  // namespace lvx::dialogs::detail
