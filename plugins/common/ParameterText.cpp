#include "ParameterText.h"

#include "lvx/Dialogs.h"
#include "lvx/runtime.h"

namespace lvx::plugins {
namespace {

template <class Convert>
auto Read(std::string_view text, const char* title, Convert convert)
    -> std::optional<decltype(convert(text))> {
    try {
        return convert(text);
    } catch (const lvx::RuntimeError& error) {
        lvx::dialogs::messageBox(error.description(), title);
        return std::nullopt;
    }
}

}  // namespace

std::optional<int16_t> ReadInt16(std::string_view text, const char* title) {
    return Read(text, title, [](std::string_view t) { return lvx::TextToInt16(t); });
}

std::optional<int32_t> ReadInt32(std::string_view text, const char* title) {
    return Read(text, title, [](std::string_view t) { return lvx::TextToInt32(t); });
}

}  // namespace lvx::plugins
