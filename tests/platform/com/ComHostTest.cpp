#include <dlfcn.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "ProbeLibrary.h"
#include "TempFolder.h"
#include "lvx/ComHost.h"
#include "lvx/DataInterface.h"
#include "lvx/Registry.h"
#include "lvx/ServerRegistration.h"

namespace {

using namespace lvx;

std::string Canonical(const char* path) {
    char resolved[PATH_MAX];
    return realpath(path, resolved) ? resolved : path;
}

const CLSID kProbeClass = ProbeGuid("{6C1B2A92-3E4D-4F5A-9B8C-7D6E5F4A3B21}");
const CLSID kTwinClass = ProbeGuid("{0B7E4C12-5A2D-4E6F-8A1B-2C3D4E5F6A70}");
const std::string kProbeKey = "CLSID\\{6C1B2A92-3E4D-4F5A-9B8C-7D6E5F4A3B21}";
const std::string kTwinKey = "CLSID\\{0B7E4C12-5A2D-4E6F-8A1B-2C3D4E5F6A70}";

class ComHostTest : public ::testing::Test {
  protected:
    void TearDown() override { CoFreeUnusedLibraries(); }

    RegistryKey Tree() { return Registry(registry.path()).load(); }

    IDispatch* Create(const char* progId) {
        CLSID clsid;
        EXPECT_EQ(CLSIDFromProgID(Utf8ToUtf16(progId).c_str(), &clsid), S_OK);
        IDispatch* object = nullptr;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&object)),
                  S_OK);
        return object;
    }

    TempFolder folder;
    ScopedRegistry registry{folder};
    const std::string probePath = Canonical(LVX_PROBE_MODULE);
    const std::string twinPath = Canonical(LVX_TWIN_MODULE);
};

TEST_F(ComHostTest, RegistrationWritesTheClassTypeLibraryAndIdentifier) {
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    RegistryKey root = Tree();
    EXPECT_EQ(root.valueAt(kProbeKey), "Probe.Data");
    EXPECT_EQ(root.valueAt(kProbeKey + "\\InprocServer32"), probePath);
    EXPECT_EQ(root.valueAt(kProbeKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(root.valueAt(kProbeKey + "\\ProgID"), "Probe.Data");
    EXPECT_EQ(root.valueAt(kProbeKey + "\\TypeLib"), "{6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21}");
    EXPECT_EQ(root.valueAt("Probe.Data\\CLSID"), "{6C1B2A92-3E4D-4F5A-9B8C-7D6E5F4A3B21}");
    const std::string lib = "TypeLib\\{6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21}\\1.0";
    EXPECT_EQ(root.valueAt(lib), "Probe");
    EXPECT_EQ(root.valueAt(lib + "\\409\\linux64"), probePath);
    EXPECT_EQ(root.valueAt("Interface\\{6C1B2A91-3E4D-4F5A-9B8C-7D6E5F4A3B21}\\TypeLib"),
              "{6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21}");
    EXPECT_EQ(root.subkeyNames(), (std::vector<std::string>{"CLSID", "Interface", "Probe.Data", "TypeLib"}));
    EXPECT_EQ(ListRegisteredClasses(), (std::vector<RegisteredClass>{{"Probe.Data", kProbeClass}}));
    // Registering again changes nothing.
    std::string before = ReadText(registry.path());
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    EXPECT_EQ(ReadText(registry.path()), before);
}

TEST_F(ComHostTest, UnregistrationRemovesExactlyWhatRegistrationWrote) {
    Registry(registry.path()).update([](RegistryKey& root) {
        root.createKey("CLSID\\{00000000-0000-0000-0000-0000000000AA}\\InprocServer32")
            .setValue("", "/x/Other.pgs");
        root.createKey("Other.Data\\CLSID").setValue("", "{00000000-0000-0000-0000-0000000000AA}");
    });
    RegistryKey before = Tree();
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    ASSERT_EQ(UnregisterServerModule(LVX_PROBE_MODULE), S_OK);
    EXPECT_TRUE(Tree() == before) << FormatRegistry(Tree());
    // Unregistering what is not registered succeeds and changes nothing.
    EXPECT_EQ(UnregisterServerModule(LVX_PROBE_MODULE), S_OK);
    EXPECT_TRUE(Tree() == before);
}

TEST_F(ComHostTest, CreateByIdentifierCallByNameReleaseAndUnload) {
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    EXPECT_FALSE(IsModuleLoaded(probePath));
    IDispatch* object = Create("probe.DATA");  // identifiers compare without regard to case
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(IsModuleLoaded(probePath));

    VARIANT text;
    ASSERT_EQ(CallByName(object, "text", {}, &text), S_OK);
    ASSERT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(Utf8FromBstr(text.bstrVal), "Проба");
    EXPECT_EQ(SysStringLen(text.bstrVal), 5u);
    VariantClear(&text);

    struct Case {
        int32_t hdc;
        int16_t w, h;
        int32_t clr1, clr2;
        VARIANT_BOOL expected;
    };
    const Case cases[] = {
        {12, 3, 4, 7, ~7, VARIANT_TRUE},  {-32768 * 2, -32768, 2, 0, -1, VARIANT_TRUE},
        {13, 3, 4, 7, ~7, VARIANT_FALSE},  // each argument matters
        {12, 4, 4, 7, ~7, VARIANT_FALSE}, {12, 3, 5, 7, ~7, VARIANT_FALSE},
        {12, 3, 4, 8, ~7, VARIANT_FALSE}, {12, 3, 4, 7, 7, VARIANT_FALSE},
    };
    for (const Case& c : cases) {
        Case args = c;
        VARIANT result;
        ASSERT_EQ(CallByName(object, "Run",
                             {ByRef(&args.hdc), ByRef(&args.w), ByRef(&args.h), ByRef(&args.clr1),
                              ByRef(&args.clr2)},
                             &result),
                  S_OK);
        EXPECT_EQ(result.vt, VT_BOOL);
        EXPECT_EQ(result.boolVal, c.expected) << c.hdc << " " << c.w << " " << c.h;
        // The arguments are passed by reference and must come back unchanged.
        EXPECT_EQ(args.hdc, c.hdc);
        EXPECT_EQ(args.w, c.w);
        EXPECT_EQ(args.h, c.h);
        EXPECT_EQ(args.clr1, c.clr1);
        EXPECT_EQ(args.clr2, c.clr2);
    }

    // While the object lives the module stays.
    CoFreeUnusedLibraries();
    EXPECT_TRUE(IsModuleLoaded(probePath));
    EXPECT_EQ(object->Release(), 0u);
    CoFreeUnusedLibraries();
    EXPECT_FALSE(IsModuleLoaded(probePath));
    EXPECT_EQ(dlopen(probePath.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "the module is still mapped";
}

TEST_F(ComHostTest, ObjectAnswersItsInterfacesAndErrors) {
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    IDispatch* object = Create("Probe.Data");
    ASSERT_NE(object, nullptr);
    void* other = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    const IID dataInterface = ProbeGuid("{6C1B2A91-3E4D-4F5A-9B8C-7D6E5F4A3B21}");
    ASSERT_EQ(object->QueryInterface(dataInterface, &other), S_OK);
    static_cast<IUnknown*>(other)->Release();
    uint32_t count = 9;
    EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);

    EXPECT_EQ(CallByName(object, "Paint", {}, nullptr), DISP_E_UNKNOWNNAME);
    int16_t small = 1;
    int32_t big = 1;
    EXPECT_EQ(CallByName(object, "Run", {ByRef(&big), ByRef(&big), ByRef(&small), ByRef(&big), ByRef(&big)},
                         nullptr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CallByName(object, "Run", {ByRef(&big)}, nullptr), DISP_E_BADPARAMCOUNT);

    // A member that fails reports the failure through EXCEPINFO.
    int32_t failing = -1;
    std::vector<VARIANT> args = {ByRef(&big), ByRef(&big), ByRef(&small), ByRef(&small), ByRef(&failing)};
    DISPPARAMS params{args.data(), nullptr, 5, 0};
    EXCEPINFO exception{};
    EXPECT_EQ(
        object->Invoke(0x60030001, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &exception, nullptr),
        DISP_E_EXCEPTION);
    EXPECT_EQ(Utf8FromBstr(exception.bstrDescription), "probe failure");
    EXPECT_EQ(Utf8FromBstr(exception.bstrSource), "Probe");
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    object->Release();
}

TEST_F(ComHostTest, DualInterfaceCallsTextAndRunDirectly) {
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    IDispatch* object = Create("Probe.Data");
    ASSERT_NE(object, nullptr);
    DataDual* data = nullptr;
    ASSERT_EQ(object->QueryInterface(ProbeGuid("{6C1B2A91-3E4D-4F5A-9B8C-7D6E5F4A3B21}"),
                                     reinterpret_cast<void**>(&data)),
              S_OK);
    BSTR text = nullptr;
    ASSERT_EQ(data->Text(&text), S_OK);
    EXPECT_EQ(Utf8FromBstr(text), "Проба");
    SysFreeString(text);
    int32_t hdc = 20, clr1 = 5, clr2 = ~5;
    int16_t w = 4, h = 5;
    VARIANT_BOOL result = 1;
    ASSERT_EQ(data->Run(&hdc, &w, &h, &clr1, &clr2, &result), S_OK);
    EXPECT_EQ(result, VARIANT_TRUE);
    EXPECT_EQ(data->Run(&hdc, &w, &h, &clr1, &clr2, nullptr), E_POINTER);
    EXPECT_EQ(hdc, 20);
    EXPECT_EQ(w, 4);
    data->Release();
    EXPECT_EQ(object->Release(), 0u);
}

TEST_F(ComHostTest, LookupFailuresHaveTheirCodes) {
    CLSID clsid;
    IUnknown* object = nullptr;
    void** out = reinterpret_cast<void**>(&object);
    EXPECT_EQ(CLSIDFromProgID(u"Probe.Data", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(u"", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CoCreateInstance(kProbeClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, out),
              REGDB_E_CLASSNOTREG);

    Registry(registry.path()).update([&](RegistryKey& root) {
        root.createKey(kProbeKey + "\\InprocServer32").setValue("", folder.file("Missing.pgs"));
        // A class id the probe module does not serve, pointing at it.
        root.createKey("CLSID\\{00000000-0000-0000-0000-0000000000BB}\\InprocServer32")
            .setValue("", probePath);
        root.createKey("Broken.Data\\CLSID").setValue("", "{not-a-guid}");
    });
    EXPECT_EQ(CoCreateInstance(kProbeClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, out),
              CO_E_DLLNOTFOUND);
    EXPECT_EQ(CoCreateInstance(*GuidFromString("{00000000-0000-0000-0000-0000000000BB}"), nullptr,
                               CLSCTX_INPROC_SERVER, IID_IUnknown, out),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(CLSIDFromProgID(u"Broken.Data", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CoCreateInstance(kProbeClass, reinterpret_cast<IUnknown*>(&clsid), CLSCTX_INPROC_SERVER,
                               IID_IUnknown, out),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(RegisterServerModule(folder.file("Missing.pgs")), CO_E_DLLNOTFOUND);
}

// A module whose type library does not declare Text and Run as the frame implements them neither
// registers nor serves objects.
TEST_F(ComHostTest, AModuleWithAMismatchedLibraryIsRefused) {
    EXPECT_EQ(RegisterServerModule(LVX_MISMATCH_MODULE), SELFREG_E_TYPELIB);
    EXPECT_FALSE(std::filesystem::exists(registry.path()));
    const CLSID mismatch = ProbeGuid("{3F2E1D02-AAAA-4BBB-8CCC-0123456789AB}");
    Registry(registry.path()).update([&](RegistryKey& root) {
        root.createKey("CLSID\\" + GuidToString(mismatch) + "\\InprocServer32")
            .setValue("", LVX_MISMATCH_MODULE);
    });
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(mismatch, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
}

// Two modules whose libraries bear the same name both register "Probe.Data": the last one owns it,
// each stays reachable by class id, and unregistering one never removes the other's keys.
TEST_F(ComHostTest, SharedIdentifierBelongsToTheLastRegistration) {
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    ASSERT_EQ(RegisterServerModule(LVX_TWIN_MODULE), S_OK);
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(u"Probe.Data", &clsid), S_OK);
    EXPECT_TRUE(clsid == kTwinClass);
    EXPECT_EQ(ListRegisteredClasses(), (std::vector<RegisteredClass>{{"Probe.Data", kTwinClass}}));
    IDispatch* twin = Create("Probe.Data");
    ASSERT_NE(twin, nullptr);
    VARIANT text;
    ASSERT_EQ(CallByName(twin, "Text", {}, &text), S_OK);
    EXPECT_EQ(Utf8FromBstr(text.bstrVal), "Twin");
    VariantClear(&text);
    twin->Release();

    // The module that no longer owns the identifier leaves it alone.
    ASSERT_EQ(UnregisterServerModule(LVX_PROBE_MODULE), S_OK);
    RegistryKey root = Tree();
    EXPECT_EQ(root.findKey(kProbeKey), nullptr);
    EXPECT_NE(root.findKey(kTwinKey), nullptr);
    EXPECT_EQ(root.valueAt("Probe.Data\\CLSID"), GuidToString(kTwinClass));

    // The other order: the owner goes, and with it the identifier; the other class stays by class id.
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);  // owner now: probe
    ASSERT_EQ(UnregisterServerModule(LVX_PROBE_MODULE), S_OK);
    root = Tree();
    EXPECT_EQ(root.findKey("Probe.Data"), nullptr);
    EXPECT_NE(root.findKey(kTwinKey), nullptr);
    IUnknown* byId = nullptr;
    ASSERT_EQ(CoCreateInstance(kTwinClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&byId)),
              S_OK);
    byId->Release();
}

TEST_F(ComHostTest, AnotherCopysRegistrationIsNotRemoved) {
    // The same class registered later from another path: unregistering the first copy keeps it.
    TempFolder copies;
    std::string copy = copies.file("LvxProbe.pgs");
    WriteText(copy, ReadText(LVX_PROBE_MODULE));
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    ASSERT_EQ(RegisterServerModule(copy), S_OK);
    ASSERT_EQ(UnregisterServerModule(LVX_PROBE_MODULE), S_OK);
    RegistryKey root = Tree();
    EXPECT_EQ(root.valueAt(kProbeKey + "\\InprocServer32"), Canonical(copy.c_str()));
    EXPECT_EQ(root.valueAt("Probe.Data\\CLSID"), GuidToString(kProbeClass));
    EXPECT_EQ(root.valueAt("TypeLib\\{6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21}\\1.0\\409\\linux64"),
              Canonical(copy.c_str()));
}

TEST_F(ComHostTest, ConcurrentRegistrationsFromSeveralProcessesAllLand) {
    constexpr uint32_t kProcesses = 8;
    auto libraryOf = [](uint32_t n) {
        TypeLibrary lib = ProbeLibrary();
        lib.name = "Concurrent" + std::to_string(n);
        lib.libid.Data1 += n << 8;
        lib.iface.iid.Data1 += n << 8;
        lib.coclass.clsid.Data1 += n << 8;
        return lib;
    };
    std::vector<pid_t> children;
    for (uint32_t n = 0; n < kProcesses; ++n) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            _exit(RegisterInprocServer("/opt/m" + std::to_string(n) + ".pgs", libraryOf(n)) == S_OK ? 0 : 1);
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::vector<RegisteredClass> classes = ListRegisteredClasses();
    ASSERT_EQ(classes.size(), kProcesses);
    RegistryKey root = Tree();
    for (uint32_t n = 0; n < kProcesses; ++n) {
        TypeLibrary lib = libraryOf(n);
        EXPECT_EQ(root.valueAt("CLSID\\" + GuidToString(lib.coclass.clsid) + "\\InprocServer32"),
                  "/opt/m" + std::to_string(n) + ".pgs");
        EXPECT_EQ(root.valueAt(lib.progId() + "\\CLSID"), GuidToString(lib.coclass.clsid));
        EXPECT_NE(root.findKey("TypeLib\\" + GuidToString(lib.libid)), nullptr);
    }
}

TEST_F(ComHostTest, ThousandCyclesOfCreateCallRelease) {
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(u"Probe.Data", &clsid), S_OK);
    for (int i = 0; i < 1000; ++i) {
        IDispatch* object = nullptr;
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&object)),
                  S_OK);
        VARIANT result;
        ASSERT_EQ(CallByName(object, "Text", {}, &result), S_OK);
        VariantClear(&result);
        int32_t hdc = 6, clr1 = 0, clr2 = -1;
        int16_t w = 2, h = 3;
        ASSERT_EQ(CallByName(object, "Run", {ByRef(&hdc), ByRef(&w), ByRef(&h), ByRef(&clr1), ByRef(&clr2)},
                             &result),
                  S_OK);
        ASSERT_EQ(result.boolVal, VARIANT_TRUE);
        ASSERT_EQ(object->Release(), 0u);
        if (i % 100 == 99) {
            CoFreeUnusedLibraries();  // unload and load again now and then
            ASSERT_FALSE(IsModuleLoaded(probePath));
        }
    }
}

TEST_F(ComHostTest, FactoriesAndServerLocksKeepTheModuleLoaded) {
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(kProbeClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    CoFreeUnusedLibraries();
    EXPECT_TRUE(IsModuleLoaded(probePath)) << "unloaded under a live class factory";
    ASSERT_EQ(factory->LockServer(1), S_OK);
    factory->Release();
    CoFreeUnusedLibraries();
    EXPECT_TRUE(IsModuleLoaded(probePath)) << "unloaded while locked";
    ASSERT_EQ(CoGetClassObject(kProbeClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    ASSERT_EQ(factory->LockServer(0), S_OK);
    factory->Release();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(IsModuleLoaded(probePath));
}

TEST_F(ComHostTest, TypeLibraryRegistrationOnItsOwn) {
    const TypeLibrary lib = ProbeLibrary();
    ASSERT_EQ(RegisterTypeLibrary(lib, probePath), S_OK);
    RegistryKey root = Tree();
    EXPECT_EQ(root.valueAt("TypeLib\\{6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21}\\1.0", "HELPDIR"),
              probePath.substr(0, probePath.rfind('/')));
    EXPECT_EQ(root.valueAt("Interface\\{6C1B2A91-3E4D-4F5A-9B8C-7D6E5F4A3B21}\\TypeLib", "Version"), "1.0");
    EXPECT_EQ(UnRegisterTypeLibrary(lib, probePath), S_OK);
    EXPECT_FALSE(Tree().findKey("TypeLib\\{6C1B2A90-3E4D-4F5A-9B8C-7D6E5F4A3B21}"));
    EXPECT_FALSE(Tree().findKey("Interface\\{6C1B2A91-3E4D-4F5A-9B8C-7D6E5F4A3B21}"));
    EXPECT_EQ(UnRegisterTypeLibrary(lib, probePath), TYPE_E_LIBNOTREGISTERED);
}

TEST_F(ComHostTest, IdentifierOfAClass) {
    ASSERT_EQ(RegisterServerModule(LVX_PROBE_MODULE), S_OK);
    BSTR progId = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(kProbeClass, &progId), S_OK);
    EXPECT_EQ(Utf8FromBstr(progId), "Probe.Data");
    SysFreeString(progId);
    EXPECT_EQ(ProgIDFromCLSID(kTwinClass, &progId), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(progId, nullptr);
}

// The module exports the four entry points and nothing else.
TEST(ModuleExportsTest, OnlyTheFourEntryPoints) {
    for (const char* module : {LVX_PROBE_MODULE, LVX_TWIN_MODULE, LVX_MISMATCH_MODULE}) {
        std::string command = std::string("nm -D --defined-only '") + module + "'";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::set<std::string> names;
        char line[512];
        while (fgets(line, sizeof line, pipe) != nullptr) {
            std::string text(line);
            if (!text.empty() && text.back() == '\n') text.pop_back();
            names.insert(text.substr(text.rfind(' ') + 1));
        }
        ASSERT_EQ(pclose(pipe), 0) << command;
        EXPECT_EQ(names, (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                                "DllUnregisterServer"}))
            << module;
    }
}

}  // namespace
