#include "lvx/TypeLibrary.h"

#include <unistd.h>

#include <cstdio>

#include "RegistrationKeys.h"
#include "lvx/ModuleResources.h"
#include "lvx/Registry.h"

namespace lvx {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    NoCaseLess less;
    return !less(a, b) && !less(b, a);
}

std::string Hex(uint32_t value) {
    char text[12];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

// The platform subkey under a library's locale that names the module file.
constexpr const char* kPlatformKey = "linux64";

std::string VersionKey(const TypeLibrary& lib) {
    return "TypeLib\\" + GuidToString(lib.libid) + "\\" + lib.versionText();
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

const TypeLibMember* TypeLibInterface::findMember(std::string_view memberName) const {
    for (const TypeLibMember& m : members)
        if (SameName(m.name, memberName)) return &m;
    return nullptr;
}

const TypeLibMember* TypeLibInterface::findMember(DISPID dispid) const {
    for (const TypeLibMember& m : members)
        if (m.dispid == dispid) return &m;
    return nullptr;
}

std::string TypeLibrary::versionText() const {
    return Hex(majorVersion) + "." + Hex(minorVersion);
}

HRESULT LoadTypeLibrary(const std::string& modulePath, TypeLibrary* library) {
    if (library == nullptr) return E_POINTER;
    if (access(modulePath.c_str(), R_OK) != 0) return TYPE_E_CANTLOADLIBRARY;
    try {
        ModuleResources resources = ReadModuleResources(modulePath);
        if (!resources.typeLibrary) return TYPE_E_INVDATAREAD;
        *library = std::move(*resources.typeLibrary);
        return S_OK;
    } catch (const ResourceError&) {
        return TYPE_E_INVDATAREAD;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

void WriteTypeLibraryKeys(RegistryKey& root, const TypeLibrary& lib, const std::string& modulePath) {
    RegistryKey& version = root.createKey(VersionKey(lib));
    version.setValue("", lib.name);
    version.setValue("FLAGS", "0");
    version.setValue("HELPDIR", FolderOf(modulePath));
    version.createKey(Hex(lib.lcid) + "\\" + kPlatformKey).setValue("", modulePath);
    RegistryKey& iface = root.createKey("Interface\\" + GuidToString(lib.iface.iid));
    iface.setValue("", lib.iface.name);
    RegistryKey& ifaceLib = iface.createKey("TypeLib");
    ifaceLib.setValue("", GuidToString(lib.libid));
    ifaceLib.setValue("Version", lib.versionText());
}

bool RemoveTypeLibraryKeys(RegistryKey& root, const TypeLibrary& lib, const std::string& modulePath) {
    std::string versionKey = VersionKey(lib);
    const RegistryKey* version = root.findKey(versionKey);
    if (version == nullptr) return false;
    // Another module registered this library version later: its keys are not ours to remove.
    std::optional<std::string> owner = version->valueAt(Hex(lib.lcid) + "\\" + kPlatformKey);
    if (owner && *owner != modulePath) return true;
    root.deleteKeyTree(versionKey);
    std::string libKey = "TypeLib\\" + GuidToString(lib.libid);
    if (const RegistryKey* libRoot = root.findKey(libKey);
        libRoot && !libRoot->hasSubkeys() && libRoot->values().empty())
        root.deleteKeyTree(libKey);
    std::string ifaceKey = "Interface\\" + GuidToString(lib.iface.iid);
    if (root.valueAt(ifaceKey + "\\TypeLib") == GuidToString(lib.libid)) root.deleteKeyTree(ifaceKey);
    return true;
}

HRESULT RegisterTypeLibrary(const TypeLibrary& library, const std::string& modulePath) {
    try {
        Registry::Current().update(
            [&](RegistryKey& root) { WriteTypeLibraryKeys(root, library, modulePath); });
        return S_OK;
    } catch (const std::exception&) {
        return TYPE_E_REGISTRYACCESS;
    }
}

HRESULT UnRegisterTypeLibrary(const TypeLibrary& library, const std::string& modulePath) {
    try {
        bool found = false;
        Registry::Current().update(
            [&](RegistryKey& root) { found = RemoveTypeLibraryKeys(root, library, modulePath); });
        return found ? S_OK : TYPE_E_LIBNOTREGISTERED;
    } catch (const std::exception&) {
        return TYPE_E_REGISTRYACCESS;
    }
}

}  // namespace lvx
