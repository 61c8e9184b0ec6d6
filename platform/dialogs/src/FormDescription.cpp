// The text listing of a form that the terminal user shows.
#include <sstream>

#include "Utf8.h"
#include "lvx/dialogs/Form.h"
#include "lvx/dialogs/TerminalUser.h"

namespace lvx::dialogs {

namespace {

std::string padded(const std::string& text, std::size_t width) {
    const std::size_t length = detail::characterCount(text);
    return text + std::string(length < width ? width - length : 1, ' ');
}

std::string state(const Control& control, const Form& form) {
    switch (control.kind()) {
        case ControlKind::Label:
            return "\"" + static_cast<const Label&>(control).caption() + "\"";
        case ControlKind::TextBox:
            return "[" + static_cast<const TextBox&>(control).text() + "]";
        case ControlKind::ScrollBar: {
            const auto& bar = static_cast<const ScrollBar&>(control);
            return std::to_string(bar.value()) + " (" + std::to_string(bar.min()) + ".." +
                   std::to_string(bar.max()) + ")";
        }
        case ControlKind::OptionButton: {
            const auto& option = static_cast<const OptionButton&>(control);
            return std::string(option.selected() ? "(*) " : "( ) ") + "\"" + option.caption() + "\"";
        }
        case ControlKind::CommandButton: {
            std::string text = "<" + static_cast<const CommandButton&>(control).caption() + ">";
            if (form.defaultButton() == &control) text += " default (Enter)";
            if (form.cancelButton() == &control) text += " cancel (Esc)";
            return text;
        }
    }
    return {};
}

}  // namespace

std::string describeForm(const Form& form) {
    std::ostringstream out;
    out << "== " << form.caption() << " ==\n";
    for (const auto& control : form.controls()) {
        out << "  " << padded(control->displayName(), 14) << padded(kindName(control->kind()), 16)
            << state(*control, form);
        if (!control->enabled()) out << "  (disabled)";
        out << '\n';
    }
    return out.str();
}

}  // namespace lvx::dialogs
