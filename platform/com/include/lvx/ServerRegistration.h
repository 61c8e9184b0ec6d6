// Registration of an in-process server's class, for a module's DllRegisterServer and
// DllUnregisterServer.
//
// RegisterInprocServer writes, for the library's class (all in one atomic registry change):
//   CLSID\{clsid} (default) = <progid>
//   CLSID\{clsid}\InprocServer32 (default) = module path, ThreadingModel = "Apartment"
//   CLSID\{clsid}\ProgID (default) = <progid>
//   CLSID\{clsid}\TypeLib (default) = {libid}
//   CLSID\{clsid}\VERSION (default) = <library version>
//   <progid> (default) = <progid>, <progid>\CLSID (default) = {clsid}
// and the type library keys of RegisterTypeLibrary. <progid> is "<library name>.<class name>". When
// another class holds <progid> already, it is taken over: the last registered class owns it.
//
// UnregisterInprocServer removes exactly those keys, with two guards for keys that another module
// may own by now: the class keys only while their InprocServer32 still names this module (another
// copy of the same class registered later keeps its registration), and the <progid> key only while
// it still points to this class id (so unregistering one of two modules that share a programmatic
// identifier leaves it with the one that took it last). The class stays reachable by class id as
// long as its own keys exist.
#ifndef LVX_SERVERREGISTRATION_H
#define LVX_SERVERREGISTRATION_H

#include <string>

#include "lvx/ComExport.h"
#include "lvx/HResult.h"
#include "lvx/TypeLibrary.h"

namespace lvx {

// S_OK, E_INVALIDARG for an empty path, SELFREG_E_CLASS when the registry cannot be changed.
LVX_COM_API HRESULT RegisterInprocServer(const std::string& modulePath, const TypeLibrary& library);
// S_OK (also when nothing was registered), SELFREG_E_CLASS when the registry cannot be changed.
LVX_COM_API HRESULT UnregisterInprocServer(const std::string& modulePath, const TypeLibrary& library);

}  // namespace lvx

#endif
