// The document's file and its read-only mapping: two small owners of platform handles.
#ifndef LAMIVEX_ZANFILE_H
#define LAMIVEX_ZANFILE_H

#include <cstdint>

#include "lvx/FileApi.h"

// Thrown by value when a file cannot be opened, mapped or viewed; carries 100.
struct CZanFileException {
    int32_t code;
};

// Owns one open file handle.
class CZanFile {
  public:
    CZanFile(const char* path, uint32_t access, uint32_t shareMode, uint32_t disposition);
    ~CZanFile();
    CZanFile(const CZanFile&) = delete;
    CZanFile& operator=(const CZanFile&) = delete;

    lvx::HANDLE handle;
};

// Owns a read-only mapping of a whole file and its view. The file handle must outlive it.
// Files of 4 GiB and more are refused (100): the format this library reads keeps every offset in
// 32 bits, and a view larger than its 32-bit size would hide bytes from every bounds check.
class CZanFileMapping {
  public:
    explicit CZanFileMapping(lvx::HANDLE file);
    ~CZanFileMapping();
    CZanFileMapping(const CZanFileMapping&) = delete;
    CZanFileMapping& operator=(const CZanFileMapping&) = delete;

    lvx::HANDLE handle;
    const uint8_t* view;
    uint32_t size;
};

#endif
