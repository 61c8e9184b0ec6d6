#include "lvx/ComHost.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "lvx/Registry.h"

namespace lvx {

namespace {

struct LoadedModule {
    void* handle = nullptr;
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr;
};

// Modules loaded for object creation, by registered path. Recursive, because a module may create
// objects of other classes from inside DllGetClassObject.
std::recursive_mutex& ModuleLock() {
    static std::recursive_mutex lock;
    return lock;
}
std::map<std::string, LoadedModule>& Modules() {
    static std::map<std::string, LoadedModule> modules;
    return modules;
}

std::string Canonical(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// Loads (or finds) the module; the caller holds ModuleLock.
HRESULT Load(const std::string& path, LoadedModule** module) {
    auto& modules = Modules();
    if (auto it = modules.find(path); it != modules.end()) {
        *module = &it->second;
        return S_OK;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return CO_E_DLLNOTFOUND;
    LoadedModule m;
    m.handle = handle;
    m.getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    m.canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
    if (m.getClassObject == nullptr) {
        dlclose(handle);
        return CO_E_ERRORINDLL;
    }
    *module = &modules.emplace(path, m).first->second;
    return S_OK;
}

HRESULT CallRegistrationEntry(const std::string& modulePath, const char* entry) {
    void* handle = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return CO_E_DLLNOTFOUND;
    auto fn = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, entry));
    HRESULT hr = fn != nullptr ? fn() : CO_E_ERRORINDLL;
    dlclose(handle);
    return hr;
}

}  // namespace

HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    std::optional<std::string> text;
    try {
        RegistryKey root = Registry::Current().load();
        if (!progId.empty()) text = root.valueAt(std::string(progId) + "\\CLSID");
    } catch (const std::exception&) {
        return REGDB_E_READREGDB;
    }
    std::optional<GUID> guid = text ? GuidFromString(*text) : std::nullopt;
    if (!guid) return CO_E_CLASSSTRING;
    *clsid = *guid;
    return S_OK;
}

HRESULT CLSIDFromProgID(const OLECHAR* progId, CLSID* clsid) {
    if (progId == nullptr) return E_POINTER;
    return CLSIDFromProgID(Utf16ToUtf8(progId), clsid);
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, BSTR* progId) {
    if (progId == nullptr) return E_POINTER;
    *progId = nullptr;
    std::optional<std::string> text;
    try {
        text = Registry::Current().load().valueAt("CLSID\\" + GuidToString(clsid) + "\\ProgID");
    } catch (const std::exception&) {
        return REGDB_E_READREGDB;
    }
    if (!text) return REGDB_E_CLASSNOTREG;
    *progId = BstrFromUtf8(*text);
    return *progId != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CoGetClassObject(REFCLSID clsid, uint32_t context, void* /*reserved*/, REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if ((context & CLSCTX_INPROC_SERVER) == 0) return E_INVALIDARG;
    std::optional<std::string> path;
    try {
        path = Registry::Current().load().valueAt("CLSID\\" + GuidToString(clsid) + "\\InprocServer32");
    } catch (const std::exception&) {
        return REGDB_E_READREGDB;
    }
    if (!path || path->empty()) return REGDB_E_CLASSNOTREG;
    std::lock_guard guard(ModuleLock());
    LoadedModule* module = nullptr;
    if (HRESULT hr = Load(*path, &module); FAILED(hr)) return hr;
    return module->getClassObject(clsid, riid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, uint32_t context, REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    IClassFactory* factory = nullptr;
    HRESULT hr =
        CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(nullptr, riid, object);
    factory->Release();
    return hr;
}

void CoFreeUnusedLibraries() {
    std::lock_guard guard(ModuleLock());
    auto& modules = Modules();
    for (auto it = modules.begin(); it != modules.end();) {
        if (it->second.canUnloadNow != nullptr && it->second.canUnloadNow() == S_OK) {
            dlclose(it->second.handle);
            it = modules.erase(it);
        } else {
            ++it;
        }
    }
}

bool IsModuleLoaded(const std::string& modulePath) {
    std::string wanted = Canonical(modulePath);
    std::lock_guard guard(ModuleLock());
    for (const auto& [path, module] : Modules())
        if (path == modulePath || Canonical(path) == wanted) return true;
    return false;
}

HRESULT RegisterServerModule(const std::string& modulePath) {
    return CallRegistrationEntry(modulePath, "DllRegisterServer");
}

HRESULT UnregisterServerModule(const std::string& modulePath) {
    return CallRegistrationEntry(modulePath, "DllUnregisterServer");
}

std::vector<RegisteredClass> ListRegisteredClasses() {
    RegistryKey root = Registry::Current().load();
    std::vector<RegisteredClass> classes;
    for (const auto& [name, key] : root.subkeys()) {
        std::optional<std::string> text = key->valueAt("CLSID");
        if (!text) continue;
        if (std::optional<GUID> guid = GuidFromString(*text)) classes.push_back({name, *guid});
    }
    return classes;
}

HRESULT CallByName(IDispatch* object, std::string_view name, std::vector<VARIANT> args, VARIANT* result) {
    if (object == nullptr) return E_POINTER;
    std::u16string wide = Utf8ToUtf16(name);
    OLECHAR* names[1] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(GUID_NULL, names, 1, 0x0409, &id);
    if (FAILED(hr)) return hr;
    std::reverse(args.begin(), args.end());
    DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<uint32_t>(args.size()), 0};
    if (result != nullptr) VariantInit(result);
    EXCEPINFO exception{};
    uint32_t argError = 0;
    hr = object->Invoke(id, GUID_NULL, 0x0409, DISPATCH_METHOD, &params, result, &exception, &argError);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return hr;
}

}  // namespace lvx
