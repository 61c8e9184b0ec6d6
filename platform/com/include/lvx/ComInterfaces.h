// The base interfaces of the component layer. They are abstract classes laid out as a table of
// pure virtual functions with no virtual destructor, so a pointer to one is usable across separately
// built shared objects: objects are only ever freed through Release.
#ifndef LVX_COMINTERFACES_H
#define LVX_COMINTERFACES_H

#include <cstdint>

#include "lvx/Guid.h"
#include "lvx/HResult.h"
#include "lvx/Variant.h"

namespace lvx {

// {00000000-0000-0000-C000-000000000046}
constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// {00000001-0000-0000-C000-000000000046}
constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
// {00020400-0000-0000-C000-000000000046}
constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

  protected:
    ~IUnknown() = default;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) = 0;
    virtual HRESULT LockServer(int32_t lock) = 0;

  protected:
    ~IClassFactory() = default;
};

// Type information objects are not provided by this layer: GetTypeInfo answers E_NOTIMPL and
// GetTypeInfoCount answers 0. Hosts read the type library from the module file instead.
struct ITypeInfo;

struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(uint32_t* count) = 0;
    virtual HRESULT GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** info) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, OLECHAR** names, uint32_t count, LCID lcid, DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID member, REFIID riid, LCID lcid, uint16_t flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* exception, uint32_t* argError) = 0;

  protected:
    ~IDispatch() = default;
};

}  // namespace lvx

#endif
