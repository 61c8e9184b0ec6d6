#include "FormWatch.h"

namespace lvx::plugins::test {

using namespace lvx::dialogs;

namespace {

std::string Quoted(const std::string& text) {
    return " \"" + text + "\"";
}

std::string Describe(const Form& form, const Control& control) {
    const Bounds& b = control.bounds();
    std::string line = control.displayName() + " " + kindName(control.kind()) + " " + std::to_string(b.left) +
                       " " + std::to_string(b.top) + " " + std::to_string(b.width) + " " +
                       std::to_string(b.height);
    switch (control.kind()) {
        case ControlKind::Label: {
            const auto& label = static_cast<const Label&>(control);
            line += Quoted(label.caption());
            if (label.alignment() == Alignment::Right) line += " right";
            if (label.alignment() == Alignment::Center) line += " center";
            break;
        }
        case ControlKind::TextBox:
            line += Quoted(static_cast<const TextBox&>(control).text());
            break;
        case ControlKind::ScrollBar: {
            const auto& bar = static_cast<const ScrollBar&>(control);
            line += " " + std::to_string(bar.min()) + ".." + std::to_string(bar.max()) + " =" +
                    std::to_string(bar.value());
            break;
        }
        case ControlKind::OptionButton: {
            const auto& option = static_cast<const OptionButton&>(control);
            line += Quoted(option.caption());
            if (option.selected()) line += " selected";
            break;
        }
        case ControlKind::CommandButton:
            line += Quoted(static_cast<const CommandButton&>(control).caption());
            if (form.defaultButton() == &control) line += " default";
            if (form.cancelButton() == &control) line += " cancel";
            break;
    }
    return line;
}

}  // namespace

std::vector<std::string> DescribeForm(const Form& form) {
    std::string head = "form" + Quoted(form.caption()) + " " + std::to_string(form.width()) + "x" +
                       std::to_string(form.height());
    head += form.borderStyle() == BorderStyle::FixedSingle ? " fixed-single" : " other-border";
    head += form.minButton() ? " min" : " no-min";
    head += form.maxButton() ? " max" : " no-max";
    head += form.controlBox() ? " close-box" : " no-close-box";
    head += form.startPosition() == StartPosition::WindowManagerDefault ? " default-place" : " other-place";
    if (form.icon())
        head += " icon " + std::to_string(form.icon()->width) + "x" + std::to_string(form.icon()->height);
    std::vector<std::string> lines{head};
    for (const auto& control : form.controls())
        lines.push_back(Describe(form, *control));
    return lines;
}

std::string LabelCaption(const Form& form, const char* name, int index) {
    const Control* control = form.find(name, index);
    if (control == nullptr || control->kind() != ControlKind::Label) return "";
    return static_cast<const Label*>(control)->caption();
}

}  // namespace lvx::plugins::test
