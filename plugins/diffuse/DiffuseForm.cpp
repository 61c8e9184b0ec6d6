#include "DiffuseForm.h"

#include "DiffuseEffect.h"
#include "DigitFilter.h"
#include "ParameterText.h"
#include "Progress.h"
#include "lvx/runtime.h"

namespace lvx::plugins {

using namespace lvx::dialogs;

DiffuseForm::DiffuseForm() : PluginForm("Диффузия", 4125, 1695) {
    auto& label1 = add<Label>("Label1");
    label1.setCaption("Смещение точек:");
    label1.setBounds(180, 90, 1455, 195);

    smesh_ = &add<TextBox>("smesh");
    smesh_->setBounds(1710, 45, 735, 285);
    smesh_->setText("10");
    smesh_->onKeyPress(DigitFilter);

    // The first option button added starts selected.
    auto& sluch = add<OptionButton>("Sluch");
    sluch.setCaption("Случайно");
    sluch.setBounds(180, 405, 1050, 285);
    sverhu_ = &add<OptionButton>("Sverhu");
    sverhu_->setCaption("Сверху вниз");
    sverhu_->setBounds(1260, 405, 1275, 285);
    sprava_ = &add<OptionButton>("Sprava");
    sprava_->setCaption("С лева на право");
    sprava_->setBounds(2565, 405, 1545, 285);

    addOkCancel("Ok", {300, 900, 1410, 555}, {2415, 900, 1410, 555});
}

bool DiffuseForm::runEffect() {
    lvx::Randomize();
    if (smesh_->text().empty()) smesh_->setText("10");
    const auto d = ReadInt16(smesh_->text(), "Diffuse");
    if (!d) return false;
    const DiffuseDirection direction = sverhu_->selected()   ? DiffuseDirection::Sverhu
                                       : sprava_->selected() ? DiffuseDirection::Sprava
                                                             : DiffuseDirection::Sluch;
    const ModuleState& state = ThisModule();
    DiffusePixels(state.hDc, state.w, state.h, *d, direction, [this, &state](int32_t y) {
        setCaption(PercentCaption("Диффузия выполнена на ", RowPercent(y, state.h)));
    });
    return true;
}

}  // namespace lvx::plugins
