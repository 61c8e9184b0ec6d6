// Automation strings: UTF-16 code units preceded by a 32-bit byte length and followed by a NUL unit.
// A BSTR may hold embedded NULs; its length comes from the prefix, never from a terminator. A null
// BSTR is a valid empty string. Every BSTR handed out must be freed with SysFreeString.
#ifndef LVX_BSTR_H
#define LVX_BSTR_H

#include <cstdint>
#include <string>
#include <string_view>

#include "lvx/ComExport.h"

namespace lvx {

using OLECHAR = char16_t;
using BSTR = OLECHAR*;

// Copies a NUL-terminated string; null in gives null out.
LVX_COM_API BSTR SysAllocString(const OLECHAR* text);
// Copies `length` units from text (which may contain NULs), or allocates `length` zeroed units when
// text is null. Null when out of memory or when the byte length would not fit 32 bits.
LVX_COM_API BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length);
LVX_COM_API void SysFreeString(BSTR text);
// Length in UTF-16 units (0 for null).
LVX_COM_API uint32_t SysStringLen(BSTR text);
LVX_COM_API uint32_t SysStringByteLen(BSTR text);

// Conversions for hosts and plug-ins that keep their texts in UTF-8. Malformed UTF-8 sequences and
// unpaired surrogates become U+FFFD; the conversions never fail.
LVX_COM_API std::u16string Utf8ToUtf16(std::string_view text);
LVX_COM_API std::string Utf16ToUtf8(std::u16string_view text);
LVX_COM_API BSTR BstrFromUtf8(std::string_view text);
LVX_COM_API std::string Utf8FromBstr(BSTR text);

}  // namespace lvx

#endif
