#include "ColorsForm.h"

#include "ColorsEffect.h"
#include "Progress.h"
#include "lvx/runtime.h"

namespace lvx::plugins {

using namespace lvx::dialogs;

ColorsForm::ColorsForm() : PluginForm("Изменение отношения цветов", 4695, 1740) {
    struct Row {
        const char* labelName;
        const char* labelCaption;
        Bounds label;
        int barTop;
        int percentTop;
    };
    static constexpr Row kRows[3] = {
        {"Label1", "Красный", {45, 90, 735, 240}, 90, 90},
        {"Label3", "Зелёный", {0, 405, 780, 240}, 405, 450},
        {"Label2", "Синий", {45, 720, 735, 240}, 720, 765},
    };
    for (const Row& row : kRows) {
        auto& label = add<Label>(row.labelName);
        label.setCaption(row.labelCaption);
        label.setBounds(row.label.left, row.label.top, row.label.width, row.label.height);
        label.setAlignment(Alignment::Right);
    }
    hrgb_ = addArray<ScrollBar>("HRGB", 3);
    lablRgb_ = addArray<Label>("lablRGB", 3);
    for (int i = 0; i < 3; ++i) {
        hrgb_[i].setBounds(810, kRows[i].barTop, 2985, 285);
        hrgb_[i].setRange(0, 200);
        hrgb_[i].setValue(100);
        lablRgb_[i].setBounds(3915, kRows[i].percentTop, 645, 240);
        lablRgb_[i].setCaption("100%");
    }
    // The label shows the value while the thumb is dragged (Scroll) and after every change.
    auto follow = [this](int i) { lablRgb_[i].setCaption(lvx::FormatInteger(hrgb_[i].value()) + "%"); };
    hrgb_.onChange(follow);
    hrgb_.onScroll(follow);
    addOkCancel("Ok", {300, 1125, 1410, 555}, {2430, 1125, 1410, 555});
}

bool ColorsForm::runEffect() {
    const ColorPercents percents{static_cast<int16_t>(hrgb_[0].value()),
                                 static_cast<int16_t>(hrgb_[1].value()),
                                 static_cast<int16_t>(hrgb_[2].value())};
    const ModuleState& state = ThisModule();
    ScaleColors(state.hDc, state.w, state.h, percents, [this, &state](int32_t y) {
        setCaption(PercentCaption("Замена цветов выполнена на ", RowPercent(y, state.h)));
    });
    return true;
}

}  // namespace lvx::plugins
