#include "lvx/Variant.h"

#include "lvx/ComInterfaces.h"

namespace lvx {

void VariantInit(VARIANT* value) {
    if (value != nullptr) value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* value) {
    if (value == nullptr) return E_POINTER;
    if ((value->vt & VT_BYREF) == 0) {
        switch (value->vt) {
            case VT_BSTR:
                SysFreeString(value->bstrVal);
                break;
            case VT_UNKNOWN:
                if (value->punkVal != nullptr) value->punkVal->Release();
                break;
            case VT_DISPATCH:
                if (value->pdispVal != nullptr) value->pdispVal->Release();
                break;
            default:
                break;
        }
    }
    value->vt = VT_EMPTY;
    value->llVal = 0;
    return S_OK;
}

}  // namespace lvx
