// frmPlugin of Diffuse: the greatest displacement `smesh` (digits only, initially "10", an empty text
// becomes "10" on OK) and the direction option buttons Sluch (selected initially), Sverhu, Sprava.
#pragma once
#include "PluginForm.h"

namespace lvx::plugins {

class DiffuseForm final : public PluginForm {
  public:
    DiffuseForm();

  private:
    bool runEffect() override;

    lvx::dialogs::TextBox* smesh_ = nullptr;
    lvx::dialogs::OptionButton* sverhu_ = nullptr;
    lvx::dialogs::OptionButton* sprava_ = nullptr;
};

}  // namespace lvx::plugins
