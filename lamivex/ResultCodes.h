// The result codes the document throws, named after the public constants.
#ifndef LAMIVEX_RESULTCODES_H
#define LAMIVEX_RESULTCODES_H

#include <cstdint>

#include "lamivex.h"

namespace code {
constexpr int32_t kUnsupported = LAMIVEX_UNSUPPORTED;
constexpr int32_t kFileError = LAMIVEX_FILE_ERROR;
constexpr int32_t kGeneric = LAMIVEX_GENERIC_ERROR;
constexpr int32_t kOutOfFile = LAMIVEX_OUT_OF_FILE;
constexpr int32_t kAlreadyOpen = LAMIVEX_ALREADY_OPEN;
constexpr int32_t kBadHeader = LAMIVEX_BAD_HEADER;
constexpr int32_t kTooLarge = LAMIVEX_TOO_LARGE;
constexpr int32_t kNotRgb = LAMIVEX_NOT_RGB;
constexpr int32_t kNot8Bit = LAMIVEX_NOT_8BIT;
constexpr int32_t kNotOpen = LAMIVEX_NOT_OPEN;
constexpr int32_t kCorruptRle = LAMIVEX_CORRUPT_RLE;
constexpr int32_t kBadIndex = LAMIVEX_BAD_INDEX;
}  // namespace code

#endif
