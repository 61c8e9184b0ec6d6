// Late binding from a type library's member table: the GetIDsOfNames and Invoke logic of a server
// class, so the class itself only implements its methods with plain C++ types.
//
// Argument rules (for arguments declared VT_I2 or VT_I4, by reference or not):
//  - by reference: VT_I2|VT_BYREF or VT_I4|VT_BYREF of exactly the declared type with a non-null
//    pointer, or VT_VARIANT|VT_BYREF pointing at such a value or at a by-value one;
//  - by value: accepted too, of the declared type or VT_I2 for a VT_I4 argument (widening), because
//    the members never write their arguments back, so nothing the caller expects is lost;
//  - anything else is DISP_E_TYPEMISMATCH with *argError = the argument's index in rgvarg.
// Only DISPATCH_METHOD calls (alone or with DISPATCH_PROPERTYGET) reach a member; others answer
// DISP_E_MEMBERNOTFOUND. Named arguments are accepted with the ids GetIDsOfNames gives argument names
// (their position, 0 for the first).
#ifndef LVX_DISPATCHER_H
#define LVX_DISPATCHER_H

#include <cstdint>
#include <vector>

#include "lvx/ComExport.h"
#include "lvx/TypeLibrary.h"
#include "lvx/Variant.h"

namespace lvx {

class LVX_COM_API Dispatcher {
  public:
    // Keeps a reference: the interface must outlive the dispatcher.
    explicit Dispatcher(const TypeLibInterface& iface) : iface_(iface) {}

    // names[0] is a member; further names are that member's arguments. Unknown names get
    // DISPID_UNKNOWN and the answer DISP_E_UNKNOWNNAME. Case is ignored.
    HRESULT GetIDsOfNames(OLECHAR** names, uint32_t count, DISPID* ids) const;

    // Checks an Invoke against the table. On S_OK, *member is the called member and values holds one
    // integer per declared argument in declaration order.
    HRESULT Bind(DISPID dispid, uint16_t flags, const DISPPARAMS* params, uint32_t* argError,
                 const TypeLibMember** member, std::vector<int32_t>& values) const;

    const TypeLibInterface& iface() const { return iface_; }

  private:
    const TypeLibInterface& iface_;
};

}  // namespace lvx

#endif
