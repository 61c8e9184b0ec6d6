// The host side: finding registered classes and creating their objects in this process.
//
// Modules are loaded once per registered path and stay loaded until CoFreeUnusedLibraries finds that
// they answer S_OK to DllCanUnloadNow. Objects are created and called on the caller's thread; the
// layer neither marshals calls nor checks threads (every class registers the apartment model, and
// the host keeps each object on the thread that made it). The module table itself is guarded, so
// several threads may create objects.
#ifndef LVX_COMHOST_H
#define LVX_COMHOST_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lvx/ComExport.h"
#include "lvx/ComInterfaces.h"
#include "lvx/Guid.h"
#include "lvx/HResult.h"

namespace lvx {

constexpr uint32_t CLSCTX_INPROC_SERVER = 0x1;

// The entry points of a component module, with C linkage.
using DllGetClassObjectFn = HRESULT (*)(REFCLSID clsid, REFIID riid, void** object);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();

// The class id registered for a programmatic identifier (<id>\CLSID). S_OK, E_POINTER,
// CO_E_CLASSSTRING when the identifier is not registered or its class id is malformed,
// REGDB_E_READREGDB when the registry cannot be read.
LVX_COM_API HRESULT CLSIDFromProgID(const OLECHAR* progId, CLSID* clsid);
LVX_COM_API HRESULT CLSIDFromProgID(std::string_view progId, CLSID* clsid);
// The programmatic identifier recorded for a class (CLSID\{...}\ProgID), as a new BSTR.
LVX_COM_API HRESULT ProgIDFromCLSID(REFCLSID clsid, BSTR* progId);

// The class factory of a registered in-process class: the module named by CLSID\{...}\InprocServer32
// is loaded (once) and asked with DllGetClassObject. S_OK, E_POINTER, REGDB_E_CLASSNOTREG,
// CO_E_DLLNOTFOUND when the module cannot be loaded, CO_E_ERRORINDLL when it lacks the entry
// points, or what DllGetClassObject answers.
LVX_COM_API HRESULT CoGetClassObject(REFCLSID clsid, uint32_t context, void* reserved, REFIID riid,
                                     void** object);
// An object of a registered class, through its class factory. Aggregation is not supported
// (outer must be null: CLASS_E_NOAGGREGATION).
LVX_COM_API HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, uint32_t context, REFIID riid,
                                     void** object);
// Unloads every loaded module whose DllCanUnloadNow answers S_OK.
LVX_COM_API void CoFreeUnusedLibraries();

// Whether the module at this path is loaded through the layer now (for hosts and tests that watch
// unloading).
LVX_COM_API bool IsModuleLoaded(const std::string& modulePath);

// Loads the module just for the call and runs its DllRegisterServer or DllUnregisterServer, as a
// registration tool does. CO_E_DLLNOTFOUND, CO_E_ERRORINDLL or what the entry point answers.
LVX_COM_API HRESULT RegisterServerModule(const std::string& modulePath);
LVX_COM_API HRESULT UnregisterServerModule(const std::string& modulePath);

struct RegisteredClass {
    std::string progId;
    CLSID clsid;
    bool operator==(const RegisteredClass&) const = default;
};
// Every programmatic identifier in the registry that names a well-formed class id, sorted by name.
// Throws RegistryError when the registry cannot be read.
LVX_COM_API std::vector<RegisteredClass> ListRegisteredClasses();

// Calls a method by name: GetIDsOfNames for the name, then Invoke with DISPATCH_METHOD. args are in
// the natural order (first argument first); they are handed to the server reversed, as Invoke expects.
// result may be null. What GetIDsOfNames or Invoke answers.
LVX_COM_API HRESULT CallByName(IDispatch* object, std::string_view name, std::vector<VARIANT> args,
                               VARIANT* result);

// By-reference argument values for CallByName; the variable must outlive the call.
inline VARIANT ByRef(int16_t* value) {
    VARIANT v{};
    v.vt = VT_I2 | VT_BYREF;
    v.piVal = value;
    return v;
}
inline VARIANT ByRef(int32_t* value) {
    VARIANT v{};
    v.vt = VT_I4 | VT_BYREF;
    v.plVal = value;
    return v;
}

}  // namespace lvx

#endif
