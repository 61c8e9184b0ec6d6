// The state a dialog plug-in keeps between the host's call of Run and the dialog's OK handler.
//
// One copy per plug-in library: this folder is compiled into every plug-in module with hidden
// visibility, so each module has its own. The hosts call a plug-in from one thread (apartment model),
// so per-library state needs no per-thread copy and no lock.
#pragma once
#include <cstdint>

namespace lvx::plugins {

// Automation Boolean values.
constexpr int16_t kVariantTrue = -1;
constexpr int16_t kVariantFalse = 0;

struct ModuleState {
    int32_t hDc = 0;  // the device context of the current Run
    int16_t w = 0;    // the width of the current Run
    int16_t h = 0;    // the height of the current Run
    // What Run answers: set by OK (true) and Cancel (false), kept when the dialog is closed another
    // way; false while no call of this loaded library has ended with OK or Cancel.
    int16_t resultFlag = kVariantFalse;
};

// The state of this plug-in library.
ModuleState& ThisModule();

}  // namespace lvx::plugins
