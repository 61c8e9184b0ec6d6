#pragma once

#include <string>
#include <string_view>

namespace lvx::host {

// A JSON string literal (with its quotes) for UTF-8 text: quotes, backslashes and control bytes escaped.
std::string jsonString(std::string_view utf8);

}  // namespace lvx::host
