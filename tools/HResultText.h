#pragma once

#include <string>

#include "lvx/HResult.h"

namespace lvx::host {

// What a component call's answer means, for failure lines: "the module cannot be loaded
// (HRESULT 0x800401F8)". Unknown codes read "failed (HRESULT 0x...)".
std::string hresultText(lvx::HRESULT hr);

}  // namespace lvx::host
