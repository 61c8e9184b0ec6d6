#pragma once

#include <cstdint>
#include <string>

namespace lvx::host {

// What went wrong, in words, for a result code of the library. The same code means different things
// when opening a document and when decoding one of its images, hence the two functions.
std::string openFailureText(int32_t code);
std::string decodeFailureText(int32_t code);

// "<what> (code N)", the shape of every failure line the program prints.
std::string withCode(const std::string& what, int32_t code);

}  // namespace lvx::host
