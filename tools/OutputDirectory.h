#pragma once

#include <string>

namespace lvx::host {

// Creates dir and any missing parents (like mkdir -p). Returns "" on success, else what went wrong.
std::string makeDirectories(const std::string& dir);

// Where extract writes when no -o is given: the document's file name without its extension, in the
// current directory ("scans/photo.psd" -> "photo"); "NAME.out" when the name has no extension to drop.
std::string defaultOutputDirectory(const std::string& documentPath);

}  // namespace lvx::host
