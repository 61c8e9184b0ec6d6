// The few UTF-8 operations the toolkit needs: texts are UTF-8, key codes are 16-bit code units.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lvx::dialogs::detail {

// The code points of a well-formed UTF-8 text, or nothing for malformed input (bad or truncated
// sequences, overlong forms, surrogates, values beyond U+10FFFF).
std::optional<std::vector<char32_t>> decodeUtf8(std::string_view text);

// Appends the UTF-8 form of a code point (which must be valid).
void appendUtf8(std::string& text, char32_t codePoint);

// Removes the last character (code point) of the text; does nothing on an empty text.
void eraseLastCharacter(std::string& text);

// Characters in a UTF-8 text, for aligning listings; malformed bytes count one each.
std::size_t characterCount(std::string_view text);

}  // namespace lvx::dialogs::detail
