#include "lvx/runtime.h"

namespace lvx {

namespace {

std::string describe(int32_t number) {
    switch (number) {
        case kErrInvalidCall:
            return "Invalid procedure call or argument";
        case kErrOverflow:
            return "Overflow";
        case kErrTypeMismatch:
            return "Type mismatch";
        default:
            return "Error " + FormatInteger(number);
    }
}

}  // namespace

RuntimeError::RuntimeError(int32_t number) : RuntimeError(number, describe(number)) {}

RuntimeError::RuntimeError(int32_t number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

// Defined here so that the class's type information is emitted once, in this library.
RuntimeError::~RuntimeError() = default;

}  // namespace lvx
