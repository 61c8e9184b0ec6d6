// The dialog frame of the four dialog plug-ins (`frmPlugin`): a fixed-border form with the shared
// icon, an OK button that runs the effect and a Cancel button, and the Run sequence that shows it.
//
// OK (button `btnOk`, also pressed by Enter) calls runEffect(); when the effect ran, the result flag
// becomes true (-1) and the form closes. When runEffect() refuses the parameters (it has shown why)
// the form stays open and the flag is unchanged. Cancel (`btnCancel`, also Esc) sets the flag to
// false (0) and closes. The close box closes without touching the flag.
#pragma once
#include <cstdint>
#include <string>

#include "ModuleState.h"
#include "lvx/Dialogs.h"

namespace lvx::plugins {

class PluginForm : public lvx::dialogs::Form {
  protected:
    // Caption and outer size in twips; the frame settings (fixed single border, no minimise or
    // maximise button, close box, default placement) and the shared icon.
    PluginForm(std::string caption, int width, int height);

    // Adds btnOk (the default button) and btnCancel (the cancel button, caption "Отмена").
    void addOkCancel(std::string okCaption, const lvx::dialogs::Bounds& ok,
                     const lvx::dialogs::Bounds& cancel);

    // Reads the parameters and applies the effect to the stored picture. Answers false, with nothing
    // drawn, when a parameter was refused.
    virtual bool runEffect() = 0;
};

// Run of a dialog plug-in: stores the picture in the module state, shows a fresh form F modally with
// no owner (so every control starts with its initial value) and answers the result flag.
template <class F>
int16_t RunPluginDialog(int32_t hDc, int16_t w, int16_t h) {
    ModuleState& state = ThisModule();
    state.hDc = hDc;
    state.w = w;
    state.h = h;
    lvx::dialogs::showModal<F>();
    return state.resultFlag;
}

}  // namespace lvx::plugins
