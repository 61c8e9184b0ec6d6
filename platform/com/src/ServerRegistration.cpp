#include "lvx/ServerRegistration.h"

#include "RegistrationKeys.h"
#include "lvx/Registry.h"

namespace lvx {

HRESULT RegisterInprocServer(const std::string& modulePath, const TypeLibrary& lib) {
    if (modulePath.empty()) return E_INVALIDARG;
    const std::string clsid = GuidToString(lib.coclass.clsid);
    const std::string progId = lib.progId();
    try {
        Registry::Current().update([&](RegistryKey& root) {
            RegistryKey& cls = root.createKey("CLSID\\" + clsid);
            cls.setValue("", progId);
            RegistryKey& server = cls.createKey("InprocServer32");
            server.setValue("", modulePath);
            server.setValue("ThreadingModel", "Apartment");
            cls.createKey("ProgID").setValue("", progId);
            cls.createKey("TypeLib").setValue("", GuidToString(lib.libid));
            cls.createKey("VERSION").setValue("", lib.versionText());
            // The identifier may belong to another class so far: the last registration takes it.
            root.deleteKeyTree(progId);
            RegistryKey& prog = root.createKey(progId);
            prog.setValue("", progId);
            prog.createKey("CLSID").setValue("", clsid);
            WriteTypeLibraryKeys(root, lib, modulePath);
        });
        return S_OK;
    } catch (const std::exception&) {
        return SELFREG_E_CLASS;
    }
}

HRESULT UnregisterInprocServer(const std::string& modulePath, const TypeLibrary& lib) {
    const std::string clsid = GuidToString(lib.coclass.clsid);
    const std::string progId = lib.progId();
    try {
        Registry::Current().update([&](RegistryKey& root) {
            const std::string classKey = "CLSID\\" + clsid;
            std::optional<std::string> server = root.valueAt(classKey + "\\InprocServer32");
            if (!server || *server == modulePath) {
                root.deleteKeyTree(classKey);
                if (root.valueAt(progId + "\\CLSID") == clsid) root.deleteKeyTree(progId);
            }
            RemoveTypeLibraryKeys(root, lib, modulePath);
            // Leave no empty "CLSID", "TypeLib" or "Interface" folder behind.
            for (const char* folder : {"CLSID", "TypeLib", "Interface"})
                if (const RegistryKey* k = root.findKey(folder); k && !k->hasSubkeys() && k->values().empty())
                    root.deleteKeyTree(folder);
        });
        return S_OK;
    } catch (const std::exception&) {
        return SELFREG_E_CLASS;
    }
}

}  // namespace lvx
