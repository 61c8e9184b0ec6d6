#include "lvx/dialogs/TextBox.h"

#include "Utf8.h"

namespace lvx::dialogs {

namespace {
constexpr std::int16_t kBackspace = 8;
}

void TextBox::pressKey(std::int16_t code) {
    if (keyPress_) keyPress_(code);
    if (code == 0) return;
    if (code == kBackspace) {
        detail::eraseLastCharacter(text_);
        return;
    }
    const auto unit = static_cast<char16_t>(static_cast<std::uint16_t>(code));
    if (unit < 0x20 || (unit >= 0xD800 && unit <= 0xDFFF)) return;
    detail::appendUtf8(text_, unit);
}

}  // namespace lvx::dialogs
