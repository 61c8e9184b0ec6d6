// frmPlugin of Mollivo: the repeat count `povt` (initially "10", no key filter).
#pragma once
#include "PluginForm.h"

namespace lvx::plugins {

class MollivoForm final : public PluginForm {
  public:
    MollivoForm();

  private:
    bool runEffect() override;

    lvx::dialogs::TextBox* povt_ = nullptr;
};

}  // namespace lvx::plugins
