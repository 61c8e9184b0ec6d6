// Conversion of a parameter typed into the dialog to an integer.
//
// A text that is not a number (empty, or letters that reached a box without a key filter) or that
// does not fit the width is refused the same way in every plug-in: a message box shows the
// conversion error's description with the plug-in's name as title, and the dialog stays open with
// nothing drawn and nothing created, so the user can correct the text or cancel.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace lvx::plugins {

std::optional<int16_t> ReadInt16(std::string_view text, const char* title);
std::optional<int32_t> ReadInt32(std::string_view text, const char* title);

}  // namespace lvx::plugins
