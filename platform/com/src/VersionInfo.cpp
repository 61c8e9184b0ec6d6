#include "lvx/VersionInfo.h"

#include <unistd.h>

#include "lvx/ModuleResources.h"

namespace lvx {

std::optional<std::string> VersionInfo::find(std::string_view key) const {
    for (const auto& [k, v] : strings)
        if (k == key) return v;
    return std::nullopt;
}

HRESULT ReadVersionInfo(const std::string& modulePath, VersionInfo* info) {
    if (info == nullptr) return E_POINTER;
    if (access(modulePath.c_str(), R_OK) != 0) return E_FAIL;
    try {
        ModuleResources resources = ReadModuleResources(modulePath);
        if (!resources.versionInfo) return TYPE_E_INVDATAREAD;
        *info = std::move(*resources.versionInfo);
        return S_OK;
    } catch (const ResourceError&) {
        return TYPE_E_INVDATAREAD;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace lvx
