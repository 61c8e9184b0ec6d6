#include "lvx/BStr.h"

#include <cstdlib>
#include <cstring>

namespace lvx {

namespace {

// The 32-bit byte length sits right before the first unit; the block is allocated as
// [length][units...][NUL unit].
uint32_t* Prefix(BSTR text) {
    return reinterpret_cast<uint32_t*>(text) - 1;
}

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | c >> 10);
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
    if (text == nullptr) return nullptr;
    uint32_t length = 0;
    while (text[length] != 0)
        ++length;
    return SysAllocStringLen(text, length);
}

BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length) {
    // The byte length must fit the 32-bit prefix.
    if (length > (UINT32_MAX - sizeof(uint32_t) - sizeof(OLECHAR)) / sizeof(OLECHAR)) return nullptr;
    size_t bytes = size_t{length} * sizeof(OLECHAR);
    auto* block = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) + bytes + sizeof(OLECHAR)));
    if (block == nullptr) return nullptr;
    block[0] = static_cast<uint32_t>(bytes);
    BSTR result = reinterpret_cast<BSTR>(block + 1);
    if (text != nullptr)
        std::memcpy(result, text, bytes);
    else
        std::memset(result, 0, bytes);
    result[length] = 0;
    return result;
}

void SysFreeString(BSTR text) {
    if (text != nullptr) std::free(Prefix(text));
}

uint32_t SysStringLen(BSTR text) {
    return text == nullptr ? 0 : *Prefix(text) / sizeof(OLECHAR);
}

uint32_t SysStringByteLen(BSTR text) {
    return text == nullptr ? 0 : *Prefix(text);
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i]);
        int extra;
        char32_t c;
        char32_t minimum;
        if (b < 0x80) {
            out += b;
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1, c = b & 0x1F, minimum = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, c = b & 0x0F, minimum = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, c = b & 0x07, minimum = 0x10000;
        } else {
            out += kReplacement;
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= text.size() || (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = c << 6 | (static_cast<unsigned char>(text[j]) & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are malformed too.
        if (!ok || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            // Resume at the first byte that did not fit the sequence (or after a complete bad one).
            out += kReplacement;
            i = j;
            continue;
        }
        AppendUtf16(out, c);
        i = j;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

BSTR BstrFromUtf8(std::string_view text) {
    std::u16string wide = Utf8ToUtf16(text);
    return SysAllocStringLen(wide.data(), static_cast<uint32_t>(wide.size()));
}

std::string Utf8FromBstr(BSTR text) {
    return Utf16ToUtf8(std::u16string_view(text == nullptr ? u"" : text, SysStringLen(text)));
}

}  // namespace lvx
