// The icon the plug-in dialogs share: 48 x 48 pixels over a 256-colour palette.
#pragma once
#include <memory>

#include "lvx/dialogs/Icon.h"

namespace lvx::plugins {

// Made once per library and shared by every dialog it shows.
std::shared_ptr<const lvx::dialogs::IconImage> PluginIcon();

}  // namespace lvx::plugins
