// What the Diffuse module's Data object answers: its caption and its Run.
#pragma once
#include <cstdint>
#include <string>

namespace lvx::plugins {

std::string DiffuseText();
// Shows the dialog over the picture in hDc (w x h) and answers the result flag (-1 or 0).
int16_t DiffuseRun(int32_t hDc, int16_t w, int16_t h);

}  // namespace lvx::plugins
