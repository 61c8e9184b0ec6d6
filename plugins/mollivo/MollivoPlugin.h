// What the Mollivo module's Data object answers: its caption and its Run.
#pragma once
#include <cstdint>
#include <string>

namespace lvx::plugins {

std::string MollivoText();
// Shows the dialog over the picture in hdc (w x h) and answers the result flag (-1 or 0).
int16_t MollivoRun(int32_t hdc, int16_t w, int16_t h);

}  // namespace lvx::plugins
