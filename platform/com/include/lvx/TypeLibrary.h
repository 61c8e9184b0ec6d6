// The type library a component module carries: its name, identity, one dual interface with its
// methods, and the creatable class that implements it.
#ifndef LVX_TYPELIBRARY_H
#define LVX_TYPELIBRARY_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lvx/ComExport.h"
#include "lvx/Guid.h"
#include "lvx/HResult.h"
#include "lvx/Variant.h"

namespace lvx {

// Interface attributes.
constexpr uint32_t TYPEFLAG_FHIDDEN = 0x10;
constexpr uint32_t TYPEFLAG_FDUAL = 0x40;
constexpr uint32_t TYPEFLAG_FNONEXTENSIBLE = 0x80;
constexpr uint32_t TYPEFLAG_FOLEAUTOMATION = 0x100;
// Class attribute.
constexpr uint32_t TYPEFLAG_FCANCREATE = 0x2;

struct TypeLibArgument {
    std::string name;
    VARTYPE type = VT_EMPTY;  // VT_I2 or VT_I4, with VT_BYREF when passed by reference
    bool operator==(const TypeLibArgument&) const = default;
};

struct TypeLibMember {
    std::string name;
    DISPID dispid = 0;
    VARTYPE returnType = VT_EMPTY;  // VT_BSTR, VT_BOOL, VT_I2, VT_I4, or VT_EMPTY for none
    std::vector<TypeLibArgument> arguments;
    bool operator==(const TypeLibMember&) const = default;
};

struct TypeLibInterface {
    std::string name;
    IID iid = GUID_NULL;
    uint32_t flags = 0;
    std::vector<TypeLibMember> members;

    // The member with this name (ASCII case ignored), or null.
    LVX_COM_API const TypeLibMember* findMember(std::string_view memberName) const;
    LVX_COM_API const TypeLibMember* findMember(DISPID dispid) const;
    bool operator==(const TypeLibInterface&) const = default;
};

struct TypeLibCoClass {
    std::string name;
    CLSID clsid = GUID_NULL;
    uint32_t flags = 0;
    bool operator==(const TypeLibCoClass&) const = default;
};

struct TypeLibrary {
    std::string name;
    GUID libid = GUID_NULL;
    uint16_t majorVersion = 1;
    uint16_t minorVersion = 0;
    LCID lcid = 0x0409;
    TypeLibInterface iface;  // the class's default interface
    TypeLibCoClass coclass;

    // "<library name>.<class name>", the class's programmatic identifier.
    std::string progId() const { return name + "." + coclass.name; }
    // "<major>.<minor>" in hexadecimal, as the registry keys name versions.
    LVX_COM_API std::string versionText() const;
    bool operator==(const TypeLibrary&) const = default;
};

// Reads the type library (resource "TYPELIB", id 1) from a module file without loading the module.
// S_OK, E_POINTER, TYPE_E_CANTLOADLIBRARY when the file cannot be read, TYPE_E_INVDATAREAD when it is
// no module or carries no type library or a damaged one.
LVX_COM_API HRESULT LoadTypeLibrary(const std::string& modulePath, TypeLibrary* library);

// Records the library in the current registry:
//   TypeLib\{libid}\<ver> (default) = name, FLAGS = "0", HELPDIR = the module's folder,
//   TypeLib\{libid}\<ver>\<lcid hex>\linux64 (default) = module path,
//   Interface\{iid} (default) = interface name, Interface\{iid}\TypeLib (default) = {libid},
//                   Version = <ver>.
// S_OK or TYPE_E_REGISTRYACCESS.
LVX_COM_API HRESULT RegisterTypeLibrary(const TypeLibrary& library, const std::string& modulePath);
// Removes what RegisterTypeLibrary wrote for this library version and module: the version key when
// it still names this module (then TypeLib\{libid} when nothing else is left in it), and the
// interface key when it still belongs to this library. S_OK, TYPE_E_LIBNOTREGISTERED when the version
// is not registered, TYPE_E_REGISTRYACCESS.
LVX_COM_API HRESULT UnRegisterTypeLibrary(const TypeLibrary& library, const std::string& modulePath);

}  // namespace lvx

#endif
