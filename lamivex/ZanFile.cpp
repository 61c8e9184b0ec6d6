#include "ZanFile.h"

namespace {
constexpr int32_t kFileError = 100;
}

CZanFile::CZanFile(const char* path, uint32_t access, uint32_t shareMode, uint32_t disposition)
    : handle(lvx::CreateFileA(path, access, shareMode, nullptr, disposition, lvx::FILE_ATTRIBUTE_NORMAL,
                              nullptr)) {
    if (handle == lvx::INVALID_HANDLE_VALUE) throw CZanFileException{kFileError};
}

CZanFile::~CZanFile() {
    lvx::CloseHandle(handle);
}

CZanFileMapping::CZanFileMapping(lvx::HANDLE file) : handle(nullptr), view(nullptr), size(0) {
    if (file == nullptr) throw CZanFileException{kFileError};
    handle = lvx::CreateFileMappingA(file, nullptr, lvx::PAGE_READONLY, 0, 0, nullptr);
    if (handle == nullptr) throw CZanFileException{kFileError};
    view = static_cast<const uint8_t*>(lvx::MapViewOfFile(handle, lvx::FILE_MAP_READ, 0, 0, 0));
    lvx::DWORD high = 0;
    if (view != nullptr) size = lvx::GetFileSize(file, &high);
    if (view == nullptr || high != 0) {
        if (view != nullptr) lvx::UnmapViewOfFile(view);
        lvx::CloseHandle(handle);
        throw CZanFileException{kFileError};
    }
}

CZanFileMapping::~CZanFileMapping() {
    lvx::UnmapViewOfFile(view);
    lvx::CloseHandle(handle);
}
