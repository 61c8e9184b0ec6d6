#include "RegisteredEffects.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "lvx/Registry.h"

namespace lvx::host {

std::vector<RegisteredEffect> registeredEffects() {
    const lvx::RegistryKey root = lvx::Registry::Current().load();
    std::vector<RegisteredEffect> effects;
    const lvx::RegistryKey* classes = root.findKey("CLSID");
    if (classes == nullptr) return effects;
    for (const auto& [name, key] : classes->subkeys()) {
        const std::optional<lvx::GUID> clsid = lvx::GuidFromString(name);
        const std::optional<std::string> server = key->valueAt("InprocServer32");
        if (!clsid || !server) continue;
        RegisteredEffect effect;
        effect.clsid = *clsid;
        effect.modulePath = *server;
        effect.progId = key->valueAt("ProgID").value_or("");
        if (!effect.progId.empty()) {
            const std::optional<std::string> owner = root.valueAt(effect.progId + "\\CLSID");
            const std::optional<lvx::GUID> ownerId = owner ? lvx::GuidFromString(*owner) : std::nullopt;
            effect.ownsProgId = ownerId && *ownerId == *clsid;
        }
        effects.push_back(std::move(effect));
    }
    std::sort(effects.begin(), effects.end(), [](const RegisteredEffect& a, const RegisteredEffect& b) {
        return std::tuple(a.progId, lvx::GuidToString(a.clsid)) <
               std::tuple(b.progId, lvx::GuidToString(b.clsid));
    });
    return effects;
}

bool sameModule(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    return a == b;
}

}  // namespace lvx::host
