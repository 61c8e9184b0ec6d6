#include "Utf8.h"

namespace lvx::dialogs::detail {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::optional<std::vector<char32_t>> decodeUtf8(std::string_view text) {
    std::vector<char32_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length;
        char32_t cp;
        char32_t lowest;
        if (lead < 0x80) {
            length = 1, cp = lead, lowest = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, cp = lead & 0x1F, lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, cp = lead & 0x0F, lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, cp = lead & 0x07, lowest = 0x10000;
        } else {
            return std::nullopt;
        }
        if (text.size() - i < length) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if (!isContinuation(byte)) return std::nullopt;
            cp = (cp << 6) | (byte & 0x3F);
        }
        if (cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        out.push_back(cp);
        i += length;
    }
    return out;
}

void appendUtf8(std::string& text, char32_t cp) {
    if (cp < 0x80) {
        text += static_cast<char>(cp);
    } else if (cp < 0x800) {
        text += static_cast<char>(0xC0 | (cp >> 6));
        text += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        text += static_cast<char>(0xE0 | (cp >> 12));
        text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (cp >> 18));
        text += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void eraseLastCharacter(std::string& text) {
    if (text.empty()) return;
    std::size_t start = text.size() - 1;
    // Step back over continuation bytes, but never more than a sequence can hold, so that a stray
    // continuation byte is removed alone.
    while (start > 0 && text.size() - start < 4 && isContinuation(static_cast<unsigned char>(text[start])))
        --start;
    if (!decodeUtf8(std::string_view(text).substr(start))) start = text.size() - 1;
    text.erase(start);
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if (!isContinuation(static_cast<unsigned char>(c))) ++count;
    return count;
}

}  // namespace lvx::dialogs::detail
