// 128-bit globally unique identifiers (class ids, interface ids, library ids) and their text form
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (hexadecimal, either case accepted, upper case written).
#ifndef LVX_GUID_H
#define LVX_GUID_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lvx/ComExport.h"
#include "lvx/HResult.h"

namespace lvx {

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
inline bool IsEqualGUID(REFGUID a, REFGUID b) {
    return a == b;
}

constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

// The text form with braces, upper-case digits: 38 characters.
LVX_COM_API std::string GuidToString(REFGUID guid);

// Parses exactly the braced 38-character form; anything else (missing braces, wrong group lengths,
// non-hex digits, trailing characters) gives nothing.
LVX_COM_API std::optional<GUID> GuidFromString(std::string_view text);

}  // namespace lvx

#endif
