// What the Umbrino module's Data object answers: its caption and its Run (no dialog).
#pragma once
#include <cstdint>
#include <string>

namespace lvx::plugins {

std::string UmbrinoText();
// Blends the picture in hdc (w x h) and answers false (0) whether or not the picture changed.
int16_t UmbrinoRun(int32_t hdc, int16_t w, int16_t h);

}  // namespace lvx::plugins
