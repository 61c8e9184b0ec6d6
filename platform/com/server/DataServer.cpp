// The server frame compiled into every plug-in module: the four exports, the class factory and the
// `Data` object, driven by the type library in the module's own file. Each module has its own copy
// of this file's state (object count, type library), so DllCanUnloadNow speaks for its module only.
#include <atomic>
#include <exception>
#include <mutex>
#include <new>

#include "lvx/ComInterfaces.h"
#include "lvx/DataInterface.h"
#include "lvx/Dispatcher.h"
#include "lvx/ModulePath.h"
#include "lvx/PluginServer.h"
#include "lvx/ServerRegistration.h"
#include "lvx/TypeLibrary.h"

namespace lvx {
namespace {

// Objects and factories alive, plus LockServer locks: the module must stay loaded while any exist.
std::atomic<int32_t> gModuleReferences{0};

const char kAnchor = 0;  // an address inside this module, to find its file

struct ModuleLibrary {
    std::once_flag once;
    HRESULT status = E_UNEXPECTED;
    std::string path;
    TypeLibrary library;
    const TypeLibMember* text = nullptr;
    const TypeLibMember* run = nullptr;
};
ModuleLibrary gModule;

// Checks that the library declares the members this frame implements.
HRESULT Bind(ModuleLibrary& m) {
    const TypeLibInterface& iface = m.library.iface;
    m.text = iface.findMember("Text");
    m.run = iface.findMember("Run");
    if (m.text == nullptr || m.text->returnType != VT_BSTR || !m.text->arguments.empty())
        return SELFREG_E_TYPELIB;
    static const VARTYPE kRunTypes[] = {VT_I4, VT_I2, VT_I2, VT_I4, VT_I4};
    if (m.run == nullptr || m.run->returnType != VT_BOOL || m.run->arguments.size() != 5)
        return SELFREG_E_TYPELIB;
    for (size_t i = 0; i < 5; ++i)
        if ((m.run->arguments[i].type & ~VT_BYREF) != kRunTypes[i]) return SELFREG_E_TYPELIB;
    return S_OK;
}

ModuleLibrary& Module() {
    std::call_once(gModule.once, [] {
        gModule.path = ModulePathOf(&kAnchor);
        gModule.status = LoadTypeLibrary(gModule.path, &gModule.library);
        if (SUCCEEDED(gModule.status)) gModule.status = Bind(gModule);
    });
    return gModule;
}

void FillException(EXCEPINFO* exception, const char* description) {
    if (exception == nullptr) return;
    *exception = EXCEPINFO{};
    exception->bstrSource = BstrFromUtf8(Module().library.name);
    exception->bstrDescription = BstrFromUtf8(description);
    exception->scode = E_FAIL;
}

class DataObject final : public DataDual {
  public:
    DataObject() : dispatcher_(Module().library.iface) { ++gModuleReferences; }

    HRESULT QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == Module().library.iface.iid) {
            *object = static_cast<DataDual*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++references_; }
    uint32_t Release() override {
        uint32_t left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT Text(BSTR* result) override {
        if (result == nullptr) return E_POINTER;
        *result = nullptr;
        try {
            *result = BstrFromUtf8(plugin::DataText());
            return *result != nullptr ? S_OK : E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }
    HRESULT Run(int32_t* hDc, int16_t* w, int16_t* h, int32_t* clr1, int32_t* clr2,
                VARIANT_BOOL* result) override {
        if (hDc == nullptr || w == nullptr || h == nullptr || clr1 == nullptr || clr2 == nullptr ||
            result == nullptr)
            return E_POINTER;
        try {
            *result = plugin::DataRun(*hDc, *w, *h, *clr1, *clr2) ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        } catch (...) {
            return E_FAIL;
        }
    }

    HRESULT GetTypeInfoCount(uint32_t* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(uint32_t, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID riid, OLECHAR** names, uint32_t count, LCID, DISPID* ids) override {
        if (!(riid == GUID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        return dispatcher_.GetIDsOfNames(names, count, ids);
    }
    HRESULT Invoke(DISPID member, REFIID riid, LCID, uint16_t flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, uint32_t* argError) override {
        if (!(riid == GUID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        const TypeLibMember* called = nullptr;
        std::vector<int32_t> args;
        HRESULT hr = dispatcher_.Bind(member, flags, params, argError, &called, args);
        if (FAILED(hr)) return hr;
        try {
            const ModuleLibrary& m = Module();
            if (called == m.text) {
                BSTR text = BstrFromUtf8(plugin::DataText());
                if (text == nullptr) return E_OUTOFMEMORY;
                if (result == nullptr) {
                    SysFreeString(text);
                } else {
                    result->vt = VT_BSTR;
                    result->bstrVal = text;
                }
                return S_OK;
            }
            if (called == m.run) {
                bool done = plugin::DataRun(args[0], static_cast<int16_t>(args[1]),
                                            static_cast<int16_t>(args[2]), args[3], args[4]);
                if (result != nullptr) {
                    result->vt = VT_BOOL;
                    result->boolVal = done ? VARIANT_TRUE : VARIANT_FALSE;
                }
                return S_OK;
            }
            return DISP_E_MEMBERNOTFOUND;  // declared in the library but not implemented here
        } catch (const std::exception& e) {
            FillException(exception, e.what());
        } catch (...) {
            FillException(exception, "unknown error");
        }
        return DISP_E_EXCEPTION;
    }

  private:
    ~DataObject() { --gModuleReferences; }

    std::atomic<uint32_t> references_{1};
    Dispatcher dispatcher_;
};

class DataFactory final : public IClassFactory {
  public:
    DataFactory() { ++gModuleReferences; }

    HRESULT QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++references_; }
    uint32_t Release() override {
        uint32_t left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        DataObject* data = new (std::nothrow) DataObject();
        if (data == nullptr) return E_OUTOFMEMORY;
        HRESULT hr = data->QueryInterface(riid, object);
        data->Release();
        return hr;
    }
    HRESULT LockServer(int32_t lock) override {
        if (lock)
            ++gModuleReferences;
        else
            --gModuleReferences;
        return S_OK;
    }

  private:
    ~DataFactory() { --gModuleReferences; }

    std::atomic<uint32_t> references_{1};
};

}  // namespace
}  // namespace lvx

using namespace lvx;

#define LVX_SERVER_EXPORT extern "C" __attribute__((visibility("default")))

LVX_SERVER_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    try {
        const ModuleLibrary& m = Module();
        if (FAILED(m.status) || !(clsid == m.library.coclass.clsid)) return CLASS_E_CLASSNOTAVAILABLE;
        DataFactory* factory = new DataFactory();
        HRESULT hr = factory->QueryInterface(riid, object);
        factory->Release();
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

LVX_SERVER_EXPORT HRESULT DllCanUnloadNow() {
    return gModuleReferences.load() == 0 ? S_OK : S_FALSE;
}

LVX_SERVER_EXPORT HRESULT DllRegisterServer() {
    try {
        const ModuleLibrary& m = Module();
        if (FAILED(m.status)) return SELFREG_E_TYPELIB;
        return RegisterInprocServer(m.path, m.library);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

LVX_SERVER_EXPORT HRESULT DllUnregisterServer() {
    try {
        const ModuleLibrary& m = Module();
        if (FAILED(m.status)) return SELFREG_E_TYPELIB;
        return UnregisterInprocServer(m.path, m.library);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
