#pragma once

#include <string>
#include <string_view>

namespace lvx::host {

// Layer names and blend keys arrive as Latin-1 bytes; the terminal and JSON want UTF-8.
std::string latin1ToUtf8(std::string_view latin1);

}  // namespace lvx::host
