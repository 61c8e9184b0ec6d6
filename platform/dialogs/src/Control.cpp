#include "lvx/dialogs/Control.h"

#include <stdexcept>

namespace lvx::dialogs {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "label";
        case ControlKind::TextBox:
            return "text box";
        case ControlKind::ScrollBar:
            return "scroll bar";
        case ControlKind::OptionButton:
            return "option button";
        case ControlKind::CommandButton:
            return "command button";
    }
    return "control";
}

Control::~Control() = default;

std::string Control::displayName() const {
    if (index_ < 0) return name_;
    return name_ + "(" + std::to_string(index_) + ")";
}

void Control::setBounds(int left, int top, int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("control size must not be negative");
    bounds_ = Bounds{left, top, width, height};
}

}  // namespace lvx::dialogs
