// File, mapping and small system services that the PSD library was written against, over POSIX.
//
// Handles are opaque pointers; INVALID_HANDLE_VALUE and null mean "no handle" as on the original
// platform. Share modes are enforced between every holder that opens files through this layer, in this
// process or another, with open-file-description locks (advisory: a program that does not use the layer
// is not held back). A handle opened for reading with FILE_SHARE_READ only makes every later open for
// writing fail, and fails itself while another holder has the file open for writing.
#ifndef LVX_FILEAPI_H
#define LVX_FILEAPI_H

#include <cstdint>

namespace lvx {

using HANDLE = void*;
using DWORD = uint32_t;
using BOOL = int32_t;

inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~uintptr_t{0});

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD FILE_SHARE_READ = 0x1u;
constexpr DWORD FILE_SHARE_WRITE = 0x2u;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80u;
constexpr DWORD PAGE_READONLY = 0x02u;
constexpr DWORD FILE_MAP_READ = 0x04u;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;

// Opens path with the access mask, share mode and creation disposition. Security attributes and the
// template file are not supported and must be null. Returns INVALID_HANDLE_VALUE on failure, including
// a share-mode conflict with another holder.
HANDLE CreateFileA(const char* path, DWORD access, DWORD shareMode, void* security, DWORD disposition,
                   DWORD attributes, HANDLE templateFile);

// A read-only mapping of the whole file (maximum size 0, 0 only). Null on failure; an empty file cannot
// be mapped, as on the original platform.
HANDLE CreateFileMappingA(HANDLE file, void* security, DWORD protect, DWORD maxSizeHigh, DWORD maxSizeLow,
                          const char* name);

// A read-only view of the whole mapping (offset 0, length 0 only). Null on failure. In builds with
// LVX_GUARD_PAGE the view is a read-only copy placed so that the byte after the file's last byte is
// the first byte of an inaccessible page: a read past the end faults at once.
const void* MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, uint64_t length);

BOOL UnmapViewOfFile(const void* view);

// The low 32 bits of the file's size; the high 32 bits go to *sizeHigh when it is not null.
// INVALID_FILE_SIZE on failure.
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);

// Closes a file or mapping handle. Closing a file releases its share-mode claims.
BOOL CloseHandle(HANDLE handle);

}  // namespace lvx

#endif
