// frmPlugin of Colors: three scroll bars HRGB(0..2) for the red, green and blue percentages (0 to
// 200, initially 100), each with a label lablRGB(i) that follows its value during changes and drags.
#pragma once
#include "PluginForm.h"

namespace lvx::plugins {

class ColorsForm final : public PluginForm {
  public:
    ColorsForm();

  private:
    bool runEffect() override;

    lvx::dialogs::ControlArray<lvx::dialogs::ScrollBar> hrgb_;
    lvx::dialogs::ControlArray<lvx::dialogs::Label> lablRgb_;
};

}  // namespace lvx::plugins
