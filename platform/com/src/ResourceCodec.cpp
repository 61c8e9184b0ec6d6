// The resource block (all numbers little-endian, texts as a 16-bit byte count and UTF-8 bytes,
// identifiers as 16 bytes: Data1, Data2, Data3, Data4):
//
//   "LVXRSRC1", u32 entry count, then per entry: text type, u32 id, u32 language, u32 size, payload.
//
//   TYPELIB payload: text name, libid, u16 major, u16 minor, u32 lcid,
//     interface: text name, iid, u32 flags, u16 member count, per member: text name, i32 dispid,
//       u16 return type, u16 argument count, per argument: text name, u16 type;
//     class: text name, clsid, u32 flags.
//   VERSION payload: 4 x u16 file version, 4 x u16 product version, text string block,
//     u16 string count, per string: text key, text value.
//
// Entries of other types are skipped, so older readers accept newer blocks.
#include <cstring>

#include "ByteCursor.h"
#include "lvx/ModuleResources.h"

namespace lvx {

namespace {

constexpr char kMagic[8] = {'L', 'V', 'X', 'R', 'S', 'R', 'C', '1'};
constexpr LCID kNeutralLanguage = 0;

bool IsArgumentType(VARTYPE vt) {
    VARTYPE base = vt & ~VT_BYREF;
    return (vt & ~(VT_BYREF | VT_TYPEMASK)) == 0 && (base == VT_I2 || base == VT_I4);
}

bool IsReturnType(VARTYPE vt) {
    return vt == VT_EMPTY || vt == VT_I2 || vt == VT_I4 || vt == VT_BSTR || vt == VT_BOOL;
}

std::vector<uint8_t> EncodeTypeLibrary(const TypeLibrary& lib) {
    ByteWriter w;
    w.String(lib.name);
    w.Guid(lib.libid);
    w.U16(lib.majorVersion);
    w.U16(lib.minorVersion);
    w.U32(lib.lcid);
    w.String(lib.iface.name);
    w.Guid(lib.iface.iid);
    w.U32(lib.iface.flags);
    if (lib.iface.members.size() > UINT16_MAX) throw ResourceError("too many members");
    w.U16(static_cast<uint16_t>(lib.iface.members.size()));
    for (const TypeLibMember& m : lib.iface.members) {
        w.String(m.name);
        w.U32(static_cast<uint32_t>(m.dispid));
        w.U16(m.returnType);
        if (m.arguments.size() > UINT16_MAX) throw ResourceError("too many arguments");
        w.U16(static_cast<uint16_t>(m.arguments.size()));
        for (const TypeLibArgument& a : m.arguments) {
            w.String(a.name);
            w.U16(a.type);
        }
    }
    w.String(lib.coclass.name);
    w.Guid(lib.coclass.clsid);
    w.U32(lib.coclass.flags);
    return std::move(w.bytes());
}

TypeLibrary DecodeTypeLibrary(ByteReader r) {
    TypeLibrary lib;
    lib.name = r.String();
    lib.libid = r.Guid();
    lib.majorVersion = r.U16();
    lib.minorVersion = r.U16();
    lib.lcid = r.U32();
    lib.iface.name = r.String();
    lib.iface.iid = r.Guid();
    lib.iface.flags = r.U32();
    uint16_t members = r.U16();
    for (uint16_t i = 0; i < members; ++i) {
        TypeLibMember m;
        m.name = r.String();
        m.dispid = static_cast<DISPID>(r.U32());
        m.returnType = r.U16();
        if (!IsReturnType(m.returnType))
            throw ResourceError("type library member has an unknown return type");
        uint16_t arguments = r.U16();
        for (uint16_t j = 0; j < arguments; ++j) {
            TypeLibArgument a;
            a.name = r.String();
            a.type = r.U16();
            if (!IsArgumentType(a.type)) throw ResourceError("type library argument has an unknown type");
            m.arguments.push_back(std::move(a));
        }
        lib.iface.members.push_back(std::move(m));
    }
    lib.coclass.name = r.String();
    lib.coclass.clsid = r.Guid();
    lib.coclass.flags = r.U32();
    if (r.remaining() != 0) throw ResourceError("type library resource has trailing bytes");
    if (lib.name.empty() || lib.iface.name.empty() || lib.coclass.name.empty())
        throw ResourceError("type library has an empty name");
    return lib;
}

std::vector<uint8_t> EncodeVersionInfo(const VersionInfo& info) {
    ByteWriter w;
    for (uint16_t part : info.fileVersion)
        w.U16(part);
    for (uint16_t part : info.productVersion)
        w.U16(part);
    w.String(info.stringBlock);
    if (info.strings.size() > UINT16_MAX) throw ResourceError("too many version strings");
    w.U16(static_cast<uint16_t>(info.strings.size()));
    for (const auto& [key, value] : info.strings) {
        w.String(key);
        w.String(value);
    }
    return std::move(w.bytes());
}

VersionInfo DecodeVersionInfo(ByteReader r) {
    VersionInfo info;
    for (uint16_t& part : info.fileVersion)
        part = r.U16();
    for (uint16_t& part : info.productVersion)
        part = r.U16();
    info.stringBlock = r.String();
    uint16_t count = r.U16();
    for (uint16_t i = 0; i < count; ++i) {
        std::string key = r.String();
        std::string value = r.String();
        info.strings.emplace_back(std::move(key), std::move(value));
    }
    if (r.remaining() != 0) throw ResourceError("version resource has trailing bytes");
    return info;
}

void AppendEntry(ByteWriter& w, std::string_view type, const std::vector<uint8_t>& payload) {
    w.String(type);
    w.U32(1);
    w.U32(kNeutralLanguage);
    if (payload.size() > UINT32_MAX) throw ResourceError("resource too large");
    w.U32(static_cast<uint32_t>(payload.size()));
    w.Bytes(payload);
}

}  // namespace

std::vector<uint8_t> EncodeResources(const ModuleResources& resources) {
    ByteWriter w;
    for (char c : kMagic)
        w.U8(static_cast<uint8_t>(c));
    w.U32((resources.typeLibrary ? 1 : 0) + (resources.versionInfo ? 1 : 0));
    if (resources.typeLibrary) AppendEntry(w, "TYPELIB", EncodeTypeLibrary(*resources.typeLibrary));
    if (resources.versionInfo) AppendEntry(w, "VERSION", EncodeVersionInfo(*resources.versionInfo));
    return std::move(w.bytes());
}

ModuleResources DecodeResources(const uint8_t* data, size_t size) {
    ByteReader r(data, size);
    if (std::memcmp(r.Take(sizeof kMagic), kMagic, sizeof kMagic) != 0)
        throw ResourceError("not a resource block");
    ModuleResources resources;
    uint32_t count = r.U32();
    for (uint32_t i = 0; i < count; ++i) {
        std::string type = r.String();
        uint32_t id = r.U32();
        r.U32();  // language: one language per module
        uint32_t length = r.U32();
        ByteReader payload(r.Take(length), length);
        if (id != 1) continue;
        if (type == "TYPELIB") {
            if (resources.typeLibrary) throw ResourceError("two type libraries with id 1");
            resources.typeLibrary = DecodeTypeLibrary(payload);
        } else if (type == "VERSION") {
            if (resources.versionInfo) throw ResourceError("two version resources with id 1");
            resources.versionInfo = DecodeVersionInfo(payload);
        }
    }
    if (r.remaining() != 0) throw ResourceError("resource block has trailing bytes");
    return resources;
}

}  // namespace lvx
