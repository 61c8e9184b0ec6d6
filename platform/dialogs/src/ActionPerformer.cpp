#include "ActionPerformer.h"

#include <string>

#include "Utf8.h"

namespace lvx::dialogs::detail {

namespace {

std::string targetName(const Action& action) {
    if (action.index < 0) return action.control;
    return action.control + "(" + std::to_string(action.index) + ")";
}

const char* article(ControlKind kind) {
    return kind == ControlKind::OptionButton ? "an" : "a";
}

Control& resolve(Form& form, const Action& action, ControlKind wanted) {
    Control* control = form.find(action.control, action.index);
    const std::string name = targetName(action);
    if (!control) {
        if (action.index < 0 && form.isArray(action.control))
            throw ActionError("'" + name + "' is a control array: name an element, e.g. " + action.control +
                              "(0)");
        if (action.index >= 0 && form.isArray(action.control))
            throw ActionError("control array '" + action.control + "' has no element " +
                              std::to_string(action.index));
        if (action.index >= 0 && form.find(action.control))
            throw ActionError("'" + action.control + "' is not a control array");
        throw ActionError("no control named '" + name + "' on the form \"" + form.caption() + "\"");
    }
    if (control->kind() != wanted)
        throw ActionError("'" + control->displayName() + "' is " + article(control->kind()) + " " +
                          kindName(control->kind()) + ", not " + article(wanted) + " " + kindName(wanted));
    if (!control->enabled()) throw ActionError("'" + control->displayName() + "' is disabled");
    return *control;
}

template <class T>
T& resolveAs(Form& form, const Action& action, ControlKind wanted) {
    return static_cast<T&>(resolve(form, action, wanted));
}

}  // namespace

std::function<void()> ActionPerformer::prepare(Form& form, const Action& action) {
    switch (action.kind) {
        case ActionKind::Type: {
            auto& box = resolveAs<TextBox>(form, action, ControlKind::TextBox);
            const auto characters = decodeUtf8(action.text);
            if (!characters) throw ActionError("the text to type is not valid UTF-8");
            for (char32_t c : *characters)
                if (c > 0xFFFF) throw ActionError("characters beyond U+FFFF cannot be typed as one key");
            return [&box, characters] {
                for (char32_t c : *characters)
                    box.pressKey(static_cast<std::int16_t>(static_cast<std::uint16_t>(c)));
            };
        }
        case ActionKind::Backspace: {
            auto& box = resolveAs<TextBox>(form, action, ControlKind::TextBox);
            const int times = action.count;
            return [&box, times] {
                for (int i = 0; i < times; ++i)
                    box.pressKey(8);
            };
        }
        case ActionKind::Set: {
            auto& bar = resolveAs<ScrollBar>(form, action, ControlKind::ScrollBar);
            const int value = action.value;
            return [&bar, value] { bar.userSet(value); };
        }
        case ActionKind::Drag: {
            auto& bar = resolveAs<ScrollBar>(form, action, ControlKind::ScrollBar);
            const int value = action.value;
            return [&bar, value] { bar.userDrag(value); };
        }
        case ActionKind::Arrow:
        case ActionKind::Track: {
            auto& bar = resolveAs<ScrollBar>(form, action, ControlKind::ScrollBar);
            const bool arrow = action.kind == ActionKind::Arrow;
            const Direction direction = action.direction;
            const int times = action.count;
            return [&bar, arrow, direction, times] {
                bar.userStep(direction, arrow ? bar.smallChange() : bar.largeChange(), times);
            };
        }
        case ActionKind::Option: {
            auto& option = resolveAs<OptionButton>(form, action, ControlKind::OptionButton);
            return [&option] { option.select(); };
        }
        case ActionKind::Click: {
            auto& button = resolveAs<CommandButton>(form, action, ControlKind::CommandButton);
            return [&button] { button.click(); };
        }
        case ActionKind::Enter:
        case ActionKind::Escape: {
            // Without such a button, or with it disabled, the key does nothing, as on a real dialog.
            CommandButton* button =
                action.kind == ActionKind::Enter ? form.defaultButton() : form.cancelButton();
            if (!button || !button->enabled()) return [] {};
            return [button] { button->click(); };
        }
        case ActionKind::Close:
            break;
    }
    throw ActionError("the close box is handled by the modal loop");
}

}  // namespace lvx::dialogs::detail
