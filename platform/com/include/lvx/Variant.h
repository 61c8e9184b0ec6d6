// Automation values and the argument block of IDispatch::Invoke.
#ifndef LVX_VARIANT_H
#define LVX_VARIANT_H

#include <cstdint>

#include "lvx/BStr.h"
#include "lvx/ComExport.h"
#include "lvx/HResult.h"

namespace lvx {

struct IUnknown;
struct IDispatch;

using VARTYPE = uint16_t;
using VARIANT_BOOL = int16_t;
using DISPID = int32_t;
using LCID = uint32_t;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_UI1 = 17,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

struct VARIANT {
    VARTYPE vt;
    uint16_t wReserved1;
    uint16_t wReserved2;
    uint16_t wReserved3;
    union {
        int16_t iVal;
        int32_t lVal;
        int64_t llVal;
        uint8_t bVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        HRESULT scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        int16_t* piVal;
        int32_t* plVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        VARIANT* pvarVal;
        void* byref;
    };
};
using VARIANTARG = VARIANT;

// Arguments of one Invoke, stored last argument first (rgvarg[0] is the last one). Named arguments
// come first in rgvarg, with their positions in rgdispidNamedArgs.
struct DISPPARAMS {
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    uint32_t cArgs;
    uint32_t cNamedArgs;
};

// Filled by a server whose member raised an error (Invoke answers DISP_E_EXCEPTION). The strings
// belong to the caller afterwards.
struct EXCEPINFO {
    uint16_t wCode;
    uint16_t wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    uint32_t dwHelpContext;
    void* pvReserved;
    void* pfnDeferredFillIn;
    HRESULT scode;
};

constexpr uint16_t DISPATCH_METHOD = 0x1;
constexpr uint16_t DISPATCH_PROPERTYGET = 0x2;
constexpr uint16_t DISPATCH_PROPERTYPUT = 0x4;
constexpr uint16_t DISPATCH_PROPERTYPUTREF = 0x8;
constexpr DISPID DISPID_UNKNOWN = -1;

// Sets vt to VT_EMPTY.
LVX_COM_API void VariantInit(VARIANT* value);
// Frees what the value owns (a BSTR, a reference on an interface; nothing for by-reference values)
// and leaves it VT_EMPTY.
LVX_COM_API HRESULT VariantClear(VARIANT* value);

}  // namespace lvx

#endif
