#include "MollivoForm.h"

#include "MollivoEffect.h"
#include "ParameterText.h"
#include "Progress.h"
#include "lvx/runtime.h"

namespace lvx::plugins {

using namespace lvx::dialogs;

MollivoForm::MollivoForm() : PluginForm("Размытие", 4125, 1185) {
    auto& label1 = add<Label>("Label1");
    label1.setCaption("Повторить размытие:");
    label1.setBounds(180, 90, 1770, 195);

    povt_ = &add<TextBox>("povt");
    povt_->setBounds(2025, 45, 600, 285);
    povt_->setText("10");

    auto& label2 = add<Label>("Label2");
    label2.setCaption("раз");
    label2.setBounds(2790, 90, 510, 195);

    addOkCancel("OK", {502, 495, 1410, 555}, {2212, 495, 1410, 555});
}

bool MollivoForm::runEffect() {
    // The count is a 32-bit number whose loop runs on a 16-bit counter: a text that is not a number
    // or a count beyond 16 bits is refused before any memory object is made.
    const auto n = ReadInt32(povt_->text(), "Mollivo");
    if (!n) return false;
    if (*n < INT16_MIN || *n > INT16_MAX) {
        messageBox(lvx::RuntimeError(lvx::kErrOverflow).description(), "Mollivo");
        return false;
    }
    const ModuleState& state = ThisModule();
    BlurRepeatedly(state.hDc, state.w, state.h, *n, [this, n](int32_t i) {
        setCaption(PercentCaption("Размытие выполнено на ", i == 0 ? 0 : FractionPercent(i, *n)));
    });
    return true;
}

}  // namespace lvx::plugins
