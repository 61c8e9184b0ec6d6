#pragma once

#include <cstdint>
#include <string>

#include "Document.h"

namespace lvx::host {

// Writes image (blue-green-red-alpha) as an 8-bit RGBA PNG at path. The data goes to a temporary file
// in the same directory first and is renamed over path only when complete, so a failure never leaves
// a partial PNG under the final name. Returns "" on success, else what went wrong.
std::string writePngFile(const std::string& path, const Image& image);

// Reads the PNG at path into image (blue-green-red-alpha, straight alpha, rect at 0, 0), whatever its
// colour type and depth (16-bit samples are reduced to 8, palettes and grey expanded, no alpha gives
// 255). A picture wider or taller than maxSide pixels is refused from its header, before its pixels
// are read; tooLarge then tells the caller so. Returns "" on success, else what went wrong.
std::string readPngFile(const std::string& path, Image& image, int64_t maxSide, bool* tooLarge = nullptr);

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary file being written before the program ends.
void removeTemporaryFilesOnSignals();

}  // namespace lvx::host
