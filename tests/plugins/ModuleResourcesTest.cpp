// What each module file carries: its type library (names, ids, members, argument spellings) and its
// version resource; fifteen distinct identifiers across the five.
#include <gtest/gtest.h>

#include <set>

#include "PluginHost.h"
#include "lvx/TypeLibrary.h"
#include "lvx/VersionInfo.h"

namespace lvx::plugins::test {
namespace {

struct Module {
    const char* file;
    const char* library;
    const char* firstArgument;
};
const Module kModules[] = {
    {"Colors", "Colors", "hDc"},   {"Button", "Button", "hDc"},   {"Mollivo", "Mollivo", "hdc"},
    {"Diffuse", "Diffuse", "hDc"}, {"Umbrino", "Mollivo", "hdc"},
};

TEST(ModuleResources, TypeLibraryDeclaresTheDualDataInterface) {
    std::set<std::string> ids;
    for (const Module& m : kModules) {
        TypeLibrary lib;
        ASSERT_EQ(LoadTypeLibrary(ModulePath(m.file), &lib), S_OK) << m.file;
        EXPECT_EQ(lib.name, m.library);
        EXPECT_EQ(lib.progId(), std::string(m.library) + ".Data");
        EXPECT_EQ(lib.majorVersion, 1);
        EXPECT_EQ(lib.minorVersion, 0);
        EXPECT_EQ(lib.lcid, 0x0409u);
        EXPECT_EQ(lib.iface.name, "_Data");
        EXPECT_EQ(lib.iface.flags,
                  TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION);
        EXPECT_EQ(lib.coclass.name, "Data");
        EXPECT_EQ(lib.coclass.flags, TYPEFLAG_FCANCREATE);
        const VARTYPE i2 = VT_I2 | VT_BYREF, i4 = VT_I4 | VT_BYREF;
        const std::vector<TypeLibMember> members = {
            {"Text", DISPID(0x60030000), VT_BSTR, {}},
            {"Run",
             DISPID(0x60030001),
             VT_BOOL,
             {{m.firstArgument, i4}, {"w", i2}, {"h", i2}, {"Clr1", i4}, {"Clr2", i4}}},
        };
        EXPECT_EQ(lib.iface.members, members) << m.file;
        ids.insert(GuidToString(lib.libid));
        ids.insert(GuidToString(lib.iface.iid));
        ids.insert(GuidToString(lib.coclass.clsid));
    }
    EXPECT_EQ(ids.size(), 15u);
}

TEST(ModuleResources, VersionResourceNamesTheModuleAndMarksItSelfRegistering) {
    for (const Module& m : kModules) {
        VersionInfo info;
        ASSERT_EQ(ReadVersionInfo(ModulePath(m.file), &info), S_OK) << m.file;
        EXPECT_EQ(info.fileVersion, (std::array<uint16_t, 4>{1, 0, 0, 0}));
        EXPECT_EQ(info.productVersion, (std::array<uint16_t, 4>{1, 0, 0, 0}));
        EXPECT_EQ(info.stringBlock, "040904B0");
        EXPECT_EQ(info.find("FileVersion"), "1.00");
        EXPECT_EQ(info.find("ProductVersion"), "1.00");
        EXPECT_EQ(info.find("ProductName"), m.library);
        EXPECT_EQ(info.find("InternalName"), m.file);
        EXPECT_EQ(info.find("OriginalFilename"), std::string(m.file) + ".pgs");
        EXPECT_EQ(info.find("OLESelfRegister"), "");
    }
}

}  // namespace
}  // namespace lvx::plugins::test
