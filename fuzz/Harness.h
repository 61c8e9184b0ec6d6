// One run of the whole public interface over a document's bytes, as the fuzzer and the replay of
// fuzz/crashers/ use it.
#ifndef LAMIVEX_FUZZ_HARNESS_H
#define LAMIVEX_FUZZ_HARNESS_H

#include <cstddef>
#include <cstdint>
#include <string>

// Opens the bytes as a document (maxDimension taken from the last four bytes), describes and decodes
// the merged image and every layer into buffers sized from their information (at most maxBufferBytes
// each), crops the results and closes. Returns an empty string when every export answered one of its
// documented codes, else what went wrong.
std::string ExerciseDocument(const uint8_t* data, size_t size, size_t maxBufferBytes = 1u << 20);

#endif
