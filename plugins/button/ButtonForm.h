// frmPlugin of Button: the band width `shir` (digits only, initially "10", an empty text becomes "10"
// on OK) and the brightness `Hjark` (1 to 95, initially 50).
#pragma once
#include "PluginForm.h"

namespace lvx::plugins {

class ButtonForm final : public PluginForm {
  public:
    ButtonForm();

  private:
    bool runEffect() override;

    lvx::dialogs::TextBox* shir_ = nullptr;
    lvx::dialogs::ScrollBar* hjark_ = nullptr;
};

}  // namespace lvx::plugins
