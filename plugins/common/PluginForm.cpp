#include "PluginForm.h"

#include "PluginIcon.h"

namespace lvx::plugins {

using lvx::dialogs::CommandButton;

PluginForm::PluginForm(std::string caption, int width, int height) {
    setCaption(std::move(caption));
    setSize(width, height);
    setBorderStyle(lvx::dialogs::BorderStyle::FixedSingle);
    setMinButton(false);
    setMaxButton(false);
    setControlBox(true);
    setStartPosition(lvx::dialogs::StartPosition::WindowManagerDefault);
    setIcon(PluginIcon());
}

void PluginForm::addOkCancel(std::string okCaption, const lvx::dialogs::Bounds& ok,
                             const lvx::dialogs::Bounds& cancel) {
    auto& btnOk = add<CommandButton>("btnOk");
    btnOk.setCaption(std::move(okCaption));
    btnOk.setBounds(ok.left, ok.top, ok.width, ok.height);
    btnOk.onClick([this] {
        if (!runEffect()) return;
        ThisModule().resultFlag = kVariantTrue;
        close();
    });
    setDefaultButton(&btnOk);

    auto& btnCancel = add<CommandButton>("btnCancel");
    btnCancel.setCaption("Отмена");
    btnCancel.setBounds(cancel.left, cancel.top, cancel.width, cancel.height);
    btnCancel.onClick([this] {
        ThisModule().resultFlag = kVariantFalse;
        close();
    });
    setCancelButton(&btnCancel);
}

}  // namespace lvx::plugins
