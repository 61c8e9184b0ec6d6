// What the test component's resource scripts declare, built by hand for comparison.
#ifndef LVX_TESTS_PROBELIBRARY_H
#define LVX_TESTS_PROBELIBRARY_H

#include "lvx/Guid.h"
#include "lvx/TypeLibrary.h"
#include "lvx/VersionInfo.h"

inline lvx::GUID ProbeGuid(const char* text) {
    return *lvx::GuidFromString(text);
}

inline lvx::TypeLibrary ProbeLibrary() {
    using namespace lvx;
    TypeLibrary lib;
    lib.name = "Probe";
    lib.libid = ProbeGuid("{6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21}");
    lib.majorVersion = 1;
    lib.minorVersion = 0;
    lib.lcid = 0x0409;
    lib.iface.name = "_Data";
    lib.iface.iid = ProbeGuid("{6C1B2A91-3E4D-4F5A-9B8C-7D6E5F4A3B21}");
    lib.iface.flags = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE;
    const VARTYPE i2 = VT_I2 | VT_BYREF, i4 = VT_I4 | VT_BYREF;
    lib.iface.members = {
        {"Text", 0x60030000, VT_BSTR, {}},
        {"Run", 0x60030001, VT_BOOL, {{"hDc", i4}, {"w", i2}, {"h", i2}, {"Clr1", i4}, {"Clr2", i4}}},
    };
    lib.coclass.name = "Data";
    lib.coclass.clsid = ProbeGuid("{6C1B2A92-3E4D-4F5A-9B8C-7D6E5F4A3B21}");
    lib.coclass.flags = TYPEFLAG_FCANCREATE;
    return lib;
}

inline lvx::VersionInfo ProbeVersion() {
    lvx::VersionInfo info;
    info.fileVersion = {1, 0, 0, 0};
    info.productVersion = {1, 0, 0, 0};
    info.stringBlock = "040904B0";
    info.strings = {
        {"FileVersion", "1.00"},      {"ProductVersion", "1.00"},           {"ProductName", "Probe"},
        {"InternalName", "LvxProbe"}, {"OriginalFilename", "LvxProbe.pgs"}, {"OLESelfRegister", ""}};
    return info;
}

#endif
