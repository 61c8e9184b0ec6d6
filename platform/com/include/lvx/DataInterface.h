// The vtable shape of the plug-ins' dual interface `_Data`: the IDispatch members followed by Text and
// Run, as a caller bound to the interface (rather than by name) calls them. Each plug-in has its own
// interface id, read from its type library; the shape is the same for all.
#ifndef LVX_DATAINTERFACE_H
#define LVX_DATAINTERFACE_H

#include <cstdint>

#include "lvx/ComInterfaces.h"

namespace lvx {

struct DataDual : IDispatch {
    // The caption as a new BSTR the caller frees.
    virtual HRESULT Text(BSTR* result) = 0;
    // The arguments are passed by reference and never written; *result is VARIANT_TRUE or
    // VARIANT_FALSE.
    virtual HRESULT Run(int32_t* hDc, int16_t* w, int16_t* h, int32_t* clr1, int32_t* clr2,
                        VARIANT_BOOL* result) = 0;

  protected:
    ~DataDual() = default;
};

}  // namespace lvx

#endif
