#include "OutputDirectory.h"

#include <filesystem>
#include <system_error>

namespace lvx::host {

std::string makeDirectories(const std::string& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) return error.message();
    if (!std::filesystem::is_directory(dir, error)) return "not a directory";
    return {};
}

std::string defaultOutputDirectory(const std::string& documentPath) {
    const std::filesystem::path name = std::filesystem::path(documentPath).filename();
    const std::string stem = name.stem().string();
    if (stem.empty() || stem == "." || stem == ".." || stem == name.string()) return name.string() + ".out";
    return stem;
}

}  // namespace lvx::host
