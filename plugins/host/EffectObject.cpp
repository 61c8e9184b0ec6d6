#include "EffectObject.h"

#include "lvx/BStr.h"
#include "lvx/Variant.h"

namespace lvx::plugins {

EffectObject::EffectObject(std::string_view progId) {
    CLSID clsid{};
    status_ = CLSIDFromProgID(progId, &clsid);
    if (SUCCEEDED(status_)) create(clsid);
}

EffectObject::EffectObject(const CLSID& clsid) {
    create(clsid);
}

void EffectObject::create(const CLSID& clsid) {
    status_ = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&object_));
    if (FAILED(status_)) object_ = nullptr;
}

EffectObject::~EffectObject() {
    if (object_ != nullptr) object_->Release();
}

std::string EffectObject::text(HRESULT* hr) {
    VARIANT result;
    VariantInit(&result);
    HRESULT status = object_ == nullptr ? status_ : CallByName(object_, "Text", {}, &result);
    std::string text;
    if (SUCCEEDED(status) && result.vt == VT_BSTR)
        text = Utf8FromBstr(result.bstrVal);
    else if (SUCCEEDED(status))
        status = DISP_E_TYPEMISMATCH;
    VariantClear(&result);
    if (hr != nullptr) *hr = status;
    return text;
}

EffectRun EffectObject::run(HDC dc, int16_t w, int16_t h, int32_t clr1, int32_t clr2) {
    EffectRun out;
    if (object_ == nullptr) {
        out.hr = status_;
        return out;
    }
    int32_t hDc = static_cast<int32_t>(dc);
    int16_t width = w;
    int16_t height = h;
    int32_t colour1 = clr1;
    int32_t colour2 = clr2;
    VARIANT result;
    VariantInit(&result);
    out.hr =
        CallByName(object_, "Run",
                   {ByRef(&hDc), ByRef(&width), ByRef(&height), ByRef(&colour1), ByRef(&colour2)}, &result);
    if (SUCCEEDED(out.hr) && result.vt != VT_BOOL) out.hr = DISP_E_TYPEMISMATCH;
    if (SUCCEEDED(out.hr)) out.value = result.boolVal;
    out.argumentsUnchanged =
        hDc == static_cast<int32_t>(dc) && width == w && height == h && colour1 == clr1 && colour2 == clr2;
    VariantClear(&result);
    return out;
}

}  // namespace lvx::plugins
