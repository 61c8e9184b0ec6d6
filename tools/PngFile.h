#pragma once

#include <string>

#include "Document.h"

namespace lvx::host {

// Writes image (blue-green-red-alpha) as an 8-bit RGBA PNG at path. The data goes to a temporary file
// in the same directory first and is renamed over path only when complete, so a failure never leaves
// a partial PNG under the final name. Returns "" on success, else what went wrong.
std::string writePngFile(const std::string& path, const Image& image);

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary file being written before the program ends.
void removeTemporaryFilesOnSignals();

}  // namespace lvx::host
