#include "lvx/Dispatcher.h"

#include "lvx/Registry.h"

namespace lvx {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    NoCaseLess less;
    return !less(a, b) && !less(b, a);
}

// The integer an argument of the declared base type (VT_I2 or VT_I4) receives from one VARIANT.
bool ReadArgument(VARTYPE declared, const VARIANT& given, int32_t* value) {
    const VARIANT* v = &given;
    if (v->vt == (VT_VARIANT | VT_BYREF)) {
        if (v->pvarVal == nullptr) return false;
        v = v->pvarVal;
    }
    switch (v->vt) {
        case VT_I2 | VT_BYREF:
            if (declared != VT_I2 || v->piVal == nullptr) return false;
            *value = *v->piVal;
            return true;
        case VT_I4 | VT_BYREF:
            if (declared != VT_I4 || v->plVal == nullptr) return false;
            *value = *v->plVal;
            return true;
        case VT_I2:
            *value = v->iVal;  // also widened into a VT_I4 argument
            return true;
        case VT_I4:
            if (declared != VT_I4) return false;
            *value = v->lVal;
            return true;
        default:
            return false;
    }
}

}  // namespace

HRESULT Dispatcher::GetIDsOfNames(OLECHAR** names, uint32_t count, DISPID* ids) const {
    if (count == 0) return S_OK;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    HRESULT hr = S_OK;
    const TypeLibMember* member = nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (names[i] == nullptr) {
            hr = DISP_E_UNKNOWNNAME;
            continue;
        }
        std::u16string_view wide(names[i]);
        std::string name = Utf16ToUtf8(wide);
        if (i == 0) {
            member = iface_.findMember(name);
            if (member != nullptr) ids[0] = member->dispid;
        } else if (member != nullptr) {
            for (size_t p = 0; p < member->arguments.size(); ++p)
                if (SameName(member->arguments[p].name, name)) ids[i] = static_cast<DISPID>(p);
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT Dispatcher::Bind(DISPID dispid, uint16_t flags, const DISPPARAMS* params, uint32_t* argError,
                         const TypeLibMember** member, std::vector<int32_t>& values) const {
    if (member == nullptr) return E_POINTER;
    const TypeLibMember* m = iface_.findMember(dispid);
    if (m == nullptr || (flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
    static const DISPPARAMS kNoArguments{nullptr, nullptr, 0, 0};
    const DISPPARAMS& p = params != nullptr ? *params : kNoArguments;
    if (p.cArgs != m->arguments.size()) return DISP_E_BADPARAMCOUNT;
    if (p.cNamedArgs > p.cArgs) return E_INVALIDARG;
    if (p.cArgs > 0 && p.rgvarg == nullptr) return E_POINTER;
    if (p.cNamedArgs > 0 && p.rgdispidNamedArgs == nullptr) return E_POINTER;

    const uint32_t count = p.cArgs;
    const uint32_t positional = count - p.cNamedArgs;
    // slot[k] is the index in rgvarg that carries declared argument k.
    std::vector<uint32_t> slot(count, UINT32_MAX);
    for (uint32_t k = 0; k < positional; ++k)
        slot[k] = count - 1 - k;
    for (uint32_t i = 0; i < p.cNamedArgs; ++i) {
        DISPID position = p.rgdispidNamedArgs[i];
        if (position < static_cast<DISPID>(positional) || position >= static_cast<DISPID>(count) ||
            slot[static_cast<uint32_t>(position)] != UINT32_MAX) {
            if (argError != nullptr) *argError = i;
            return DISP_E_PARAMNOTFOUND;
        }
        slot[static_cast<uint32_t>(position)] = i;
    }

    values.assign(count, 0);
    for (uint32_t k = 0; k < count; ++k) {
        VARTYPE declared = m->arguments[k].type & ~VT_BYREF;
        if (!ReadArgument(declared, p.rgvarg[slot[k]], &values[k])) {
            if (argError != nullptr) *argError = slot[k];
            return DISP_E_TYPEMISMATCH;
        }
    }
    *member = m;
    return S_OK;
}

}  // namespace lvx
