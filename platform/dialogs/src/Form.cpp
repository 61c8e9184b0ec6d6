#include "lvx/dialogs/Form.h"

#include <stdexcept>

#include "Publish.h"

namespace lvx::dialogs {

namespace {

constexpr std::size_t kMaxNameLength = 40;

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isIdentifier(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength || !isLetter(name[0])) return false;
    for (char c : name)
        if (!isLetter(c) && !isDigit(c) && c != '_') return false;
    return true;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

}  // namespace

const char* closeReasonName(CloseReason reason) {
    switch (reason) {
        case CloseReason::Code:
            return "closed";
        case CloseReason::CloseBox:
            return "close box";
        case CloseReason::NoMoreActions:
            return "no more actions";
        case CloseReason::Exception:
            return "exception";
    }
    return "closed";
}

Form::Form() = default;
Form::~Form() = default;

void Form::setCaption(std::string caption) {
    caption_ = std::move(caption);
    if (shown_)
        detail::publish(DialogEvent{DialogEvent::Kind::CaptionChanged, caption_, {}, CloseReason::Code});
}

void Form::setSize(int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("form size must not be negative");
    width_ = width;
    height_ = height;
}

void Form::setIcon(std::shared_ptr<const IconImage> icon) {
    if (icon) {
        if (icon->width < 1 || icon->width > 256 || icon->height < 1 || icon->height > 256)
            throw std::invalid_argument("icon size must be 1 to 256 pixels each way");
        if (icon->pixels.size() !=
            static_cast<std::size_t>(icon->width) * static_cast<std::size_t>(icon->height))
            throw std::invalid_argument("icon needs one palette index per pixel");
    }
    icon_ = std::move(icon);
}

Control& Form::adopt(std::unique_ptr<Control> control, std::string name, int index) {
    if (!isIdentifier(name))
        throw std::invalid_argument(
            "control name '" + name +
            "' is not an identifier (a letter, then letters, digits or '_', at most 40)");
    for (const auto& existing : controls_) {
        if (!sameName(existing->name(), name)) continue;
        // Elements of one array share their name; anything else must not.
        if (index < 0 || existing->index() < 0 || existing->index() == index)
            throw std::invalid_argument("the form already has a control named '" + existing->displayName() +
                                        "'");
    }
    control->form_ = this;
    control->name_ = std::move(name);
    control->index_ = index;
    controls_.push_back(std::move(control));
    Control& added = *controls_.back();
    // The group of option buttons always has one selected: the first one to arrive.
    if (added.kind() == ControlKind::OptionButton) {
        bool anySelected = false;
        for (const auto& c : controls_)
            if (c->kind() == ControlKind::OptionButton && static_cast<const OptionButton&>(*c).selected())
                anySelected = true;
        if (!anySelected) static_cast<OptionButton&>(added).selected_ = true;
    }
    return added;
}

void Form::checkArrayCount(int count) {
    if (count < 1 || count > 32767) throw std::invalid_argument("a control array holds 1 to 32767 elements");
}

Control* Form::find(std::string_view name, int index) const {
    for (const auto& control : controls_)
        if (control->index() == index && sameName(control->name(), name)) return control.get();
    return nullptr;
}

bool Form::isArray(std::string_view name) const {
    for (const auto& control : controls_)
        if (control->index() >= 0 && sameName(control->name(), name)) return true;
    return false;
}

void Form::checkOwnButton(const CommandButton* button) const {
    if (button && &button->form() != this) throw std::invalid_argument("the button belongs to another form");
}

void Form::setDefaultButton(CommandButton* button) {
    checkOwnButton(button);
    defaultButton_ = button;
}

void Form::setCancelButton(CommandButton* button) {
    checkOwnButton(button);
    cancelButton_ = button;
}

}  // namespace lvx::dialogs
