#include "ButtonForm.h"

#include "ButtonEffect.h"
#include "DigitFilter.h"
#include "ParameterText.h"

namespace lvx::plugins {

using namespace lvx::dialogs;

ButtonForm::ButtonForm() : PluginForm("Преобразование в кнопку", 4125, 1590) {
    auto& label1 = add<Label>("Label1");
    label1.setCaption("Ширина бордера:");
    label1.setBounds(315, 180, 1455, 195);

    shir_ = &add<TextBox>("shir");
    shir_->setBounds(1845, 135, 735, 285);
    shir_->setText("10");
    shir_->onKeyPress(DigitFilter);

    auto& label2 = add<Label>("Label2");
    label2.setCaption("Яркость:");
    label2.setBounds(360, 540, 825, 240);

    hjark_ = &add<ScrollBar>("Hjark");
    hjark_->setBounds(1305, 540, 2580, 240);
    hjark_->setRange(1, 95);
    hjark_->setValue(50);

    addOkCancel("Ok", {300, 990, 1410, 420}, {2415, 990, 1410, 420});
}

bool ButtonForm::runEffect() {
    if (shir_->text().empty()) shir_->setText("10");
    const auto b = ReadInt16(shir_->text(), "Button");
    if (!b) return false;
    const double k = (100 - hjark_->value()) / 100.0;
    const ModuleState& state = ThisModule();
    static const char* const kCaptions[5] = {"", "Выполнено на 25%", "Выполнено на 50%", "Выполнено на 75%",
                                             "Выполнено на 98%"};
    DrawBevel(state.hDc, state.w, state.h, *b, k, [this](int pass) { setCaption(kCaptions[pass]); });
    return true;
}

}  // namespace lvx::plugins
