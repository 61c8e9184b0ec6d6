// The version resource a module carries: fixed file and product versions and one block of named
// strings.
#ifndef LVX_VERSIONINFO_H
#define LVX_VERSIONINFO_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lvx/ComExport.h"
#include "lvx/HResult.h"

namespace lvx {

struct VersionInfo {
    std::array<uint16_t, 4> fileVersion{};  // major, minor, build, revision
    std::array<uint16_t, 4> productVersion{};
    std::string stringBlock;                                   // language and code page, e.g. "040904B0"
    std::vector<std::pair<std::string, std::string>> strings;  // in declaration order

    // The string with this key (exact case), present with an empty value or absent.
    LVX_COM_API std::optional<std::string> find(std::string_view key) const;
    bool operator==(const VersionInfo&) const = default;
};

// Reads the version resource ("VERSION", id 1) from a module file without loading the module.
// S_OK, E_POINTER, E_FAIL when the file cannot be read, TYPE_E_INVDATAREAD when it is no module or
// carries no version resource or a damaged one.
LVX_COM_API HRESULT ReadVersionInfo(const std::string& modulePath, VersionInfo* info);

}  // namespace lvx

#endif
