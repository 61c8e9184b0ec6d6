// Decimal text to integers and back.
#include <charconv>
#include <limits>

#include "lvx/runtime.h"

namespace lvx {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads the text as [blanks][sign]digits[blanks] and checks that the value fits Int.
template <typename Int>
Int parseInteger(std::string_view text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t firstDigit = i;
    // The magnitude is gathered in 64 bits and capped just past the range, so any number of digits
    // (leading zeros included) is read without wrapping.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<Int>::max()} + 1;
    int64_t magnitude = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit) magnitude = kLimit + 1;
        ++i;
    }
    const bool hasDigits = i > firstDigit;
    while (i < n && isBlank(text[i]))
        ++i;
    if (!hasDigits || i != n) throw RuntimeError(kErrTypeMismatch);
    if (magnitude > kLimit || (magnitude == kLimit && !negative)) throw RuntimeError(kErrOverflow);
    return static_cast<Int>(negative ? -magnitude : magnitude);
}

}  // namespace

int16_t TextToInt16(std::string_view text) {
    return parseInteger<int16_t>(text);
}

int32_t TextToInt32(std::string_view text) {
    return parseInteger<int32_t>(text);
}

std::string FormatInteger(int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace lvx
