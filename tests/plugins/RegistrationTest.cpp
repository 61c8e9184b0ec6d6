// Registration of the five modules: what each writes, Umbrino's and Mollivo's shared identifier,
// and unregistration removing exactly what registration wrote.
#include <gtest/gtest.h>

#include "PluginHost.h"
#include "PluginIds.h"
#include "lvx/Dialogs.h"
#include "lvx/Registry.h"

namespace lvx::plugins::test {
namespace {

class RegistrationTest : public ::testing::Test {
  protected:
    void TearDown() override { CoFreeUnusedLibraries(); }
    RegistryKey tree() { return Registry(registry.path()).load(); }
    TempRegistry registry;
};

TEST_F(RegistrationTest, EachModuleRegistersItsClassIdentifierAndTypeLibrary) {
    struct Case {
        const char* file;
        const char* progId;
        const char* clsid;
        const char* libid;
        const char* library;
    };
    const Case cases[] = {
        {"Colors", "Colors.Data", "{386A0181-E8F3-4E47-B1DF-49670A3ECDC8}",
         "{A4958372-D54F-4563-A707-250B666A1D84}", "Colors"},
        {"Button", "Button.Data", "{781C8F07-5375-4BE4-8564-AC55A8A44FFF}",
         "{0B2C030B-1C80-4557-872C-6F0279961B61}", "Button"},
        {"Mollivo", "Mollivo.Data", "{C62781F6-61BC-4D85-823D-760C5B658AE9}",
         "{5E54EC50-04AA-485A-A180-2FFA377672F6}", "Mollivo"},
        {"Diffuse", "Diffuse.Data", "{0B6CE893-2F30-40E1-81A3-DC6E95F84F8D}",
         "{EB86D997-B286-4C1D-B015-55C95769F14B}", "Diffuse"},
        {"Umbrino", "Mollivo.Data", "{83BDBCA5-9CBB-43B5-9643-17875502ECDD}",
         "{0097AB88-63DC-4BF1-9BBC-1656610A8AC3}", "Mollivo"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RegisterServerModule(ModulePath(c.file)), S_OK) << c.file;
        const RegistryKey root = tree();
        const std::string key = std::string("CLSID\\") + c.clsid;
        EXPECT_EQ(root.valueAt(key + "\\InprocServer32", "ThreadingModel"), "Apartment") << c.file;
        EXPECT_NE(root.valueAt(key + "\\InprocServer32").value_or("").find(std::string(c.file) + ".pgs"),
                  std::string::npos);
        EXPECT_EQ(root.valueAt(key + "\\ProgID"), c.progId);
        EXPECT_EQ(root.valueAt(key + "\\TypeLib"), c.libid);
        EXPECT_EQ(root.valueAt(std::string(c.progId) + "\\CLSID"), c.clsid) << c.file;
        EXPECT_EQ(root.valueAt(std::string("TypeLib\\") + c.libid + "\\1.0"), c.library);
    }
    EXPECT_EQ(ListRegisteredClasses().size(), 4u);  // Mollivo.Data once, now Umbrino's
}

TEST_F(RegistrationTest, TheLastOfMollivoAndUmbrinoOwnsTheIdentifierAndBothStayReachable) {
    lvx::dialogs::ScriptedUser user;  // no actions: Mollivo's dialog closes as with the close box
    lvx::dialogs::ScopedUser scope(user);
    lvx::dialogs::EventLog log;
    ASSERT_EQ(RegisterServerModule(ModulePath("Mollivo")), S_OK);
    ASSERT_EQ(RegisterServerModule(ModulePath("Umbrino")), S_OK);
    CLSID named{};
    ASSERT_EQ(CLSIDFromProgID("Mollivo.Data", &named), S_OK);
    EXPECT_EQ(named, kUmbrinoClass);

    uint8_t pixel[4] = {1, 2, 3, 255};
    const HDC dc = LvxGdi_CreateSurfaceDC(pixel, 1, 1, 4);
    for (const CLSID& clsid : {kMollivoClass, kUmbrinoClass}) {
        DataObject data(clsid);
        ASSERT_TRUE(data.valid());
        EXPECT_EQ(data.text(), "Размытие");
        data.run(dc, 1, 1);
    }
    EXPECT_EQ(log.events().size(), 2u);  // Mollivo's dialog shown and closed; Umbrino has none
    LvxGdi_ReleaseSurfaceDC(dc);

    ASSERT_EQ(RegisterServerModule(ModulePath("Mollivo")), S_OK);
    ASSERT_EQ(CLSIDFromProgID("Mollivo.Data", &named), S_OK);
    EXPECT_EQ(named, kMollivoClass);
}

TEST_F(RegistrationTest, UnregisteringRemovesExactlyWhatRegistrationWrote) {
    ASSERT_EQ(RegisterServerModule(ModulePath("Colors")), S_OK);
    const std::string colorsOnly = registry.text();
    for (const char* name : {"Button", "Mollivo", "Diffuse", "Umbrino"})
        ASSERT_EQ(RegisterServerModule(ModulePath(name)), S_OK);
    for (const char* name : {"Button", "Mollivo", "Diffuse", "Umbrino"})
        ASSERT_EQ(UnregisterServerModule(ModulePath(name)), S_OK) << name;
    EXPECT_EQ(registry.text(), colorsOnly);
    ASSERT_EQ(UnregisterServerModule(ModulePath("Colors")), S_OK);
    EXPECT_TRUE(tree().subkeyNames().empty());
}

TEST_F(RegistrationTest, UnregisteringUmbrinoKeepsMollivosClassReachable) {
    ASSERT_EQ(RegisterServerModule(ModulePath("Mollivo")), S_OK);
    ASSERT_EQ(RegisterServerModule(ModulePath("Umbrino")), S_OK);
    ASSERT_EQ(UnregisterServerModule(ModulePath("Umbrino")), S_OK);
    CLSID named{};
    EXPECT_NE(CLSIDFromProgID("Mollivo.Data", &named), S_OK);  // it named Umbrino's class, and went with it
    DataObject mollivo(kMollivoClass);
    EXPECT_TRUE(mollivo.valid());
    EXPECT_EQ(tree().valueAt("TypeLib\\{5E54EC50-04AA-485A-A180-2FFA377672F6}\\1.0"), "Mollivo");
}

}  // namespace
}  // namespace lvx::plugins::test
