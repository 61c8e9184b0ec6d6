// POSIX implementation of the file and mapping services.
#include "lvx/FileApi.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <new>

namespace lvx {
namespace {

// Share-mode claims are read locks on four bytes far beyond any real file's end. A holder takes a lock
// for what it does (read, write) and for what it denies others (read, write); an open is refused when a
// claim of another holder conflicts with it. Open-file-description locks conflict across descriptions
// even inside one process, so two opens in the same program see each other too.
constexpr off_t kClaimBase = off_t{0x7FFFFFFF} << 32;
enum Claim : off_t { kHasRead = 0, kHasWrite = 1, kDeniesRead = 2, kDeniesWrite = 3 };

bool HeldByAnother(int fd, Claim claim) {
    struct flock probe {};
    probe.l_type = F_WRLCK;  // any read lock held on the byte conflicts with a write probe
    probe.l_whence = SEEK_SET;
    probe.l_start = kClaimBase + claim;
    probe.l_len = 1;
    if (fcntl(fd, F_OFD_GETLK, &probe) != 0) return true;  // cannot tell: refuse rather than share
    return probe.l_type != F_UNLCK;
}

bool Take(int fd, Claim claim) {
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kClaimBase + claim;
    lock.l_len = 1;
    return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

constexpr uint32_t kFileMagic = 0x4C564646;     // "LVFF"
constexpr uint32_t kMappingMagic = 0x4C564D4D;  // "LVMM"

struct FileObject {
    uint32_t magic = kFileMagic;
    int fd = -1;
};

struct MappingObject {
    uint32_t magic = kMappingMagic;
    int fd = -1;  // a duplicate: the mapping keeps the file open on its own, as on the original platform
    uint64_t size = 0;
};

FileObject* AsFile(HANDLE h) {
    auto* f = static_cast<FileObject*>(h);
    return (h != nullptr && h != INVALID_HANDLE_VALUE && f->magic == kFileMagic) ? f : nullptr;
}

MappingObject* AsMapping(HANDLE h) {
    auto* m = static_cast<MappingObject*>(h);
    return (h != nullptr && h != INVALID_HANDLE_VALUE && m->magic == kMappingMagic) ? m : nullptr;
}

// Views that are not plain mappings of the file (guard-page copies) remember what to release.
struct ViewRegion {
    void* base;
    size_t length;
};
std::mutex viewsLock;
std::map<const void*, ViewRegion> views;

// Records a view; when even that memory cannot be had, the view is released and the mapping fails.
const void* Remember(const void* view, ViewRegion region) {
    try {
        std::lock_guard<std::mutex> guard(viewsLock);
        views[view] = region;
        return view;
    } catch (...) {
        munmap(region.base, region.length);
        return nullptr;
    }
}

[[maybe_unused]] const void* MapPlain(int fd, uint64_t size) {
    void* p = mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED) return nullptr;
    return Remember(p, ViewRegion{p, static_cast<size_t>(size)});
}

[[maybe_unused]] const void* MapBeforeGuardPage(int fd, uint64_t size) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t dataPages = (size + page - 1) / page * page;
    const size_t length = dataPages + page;
    void* base = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) return nullptr;
    auto* view = static_cast<unsigned char*>(base) + (dataPages - size);
    uint64_t done = 0;
    while (done < size) {
        ssize_t n = pread(fd, view + done, size - done, static_cast<off_t>(done));
        if (n <= 0) {
            munmap(base, length);
            return nullptr;
        }
        done += static_cast<uint64_t>(n);
    }
    mprotect(base, dataPages, PROT_READ);
    mprotect(static_cast<unsigned char*>(base) + dataPages, page, PROT_NONE);
    return Remember(view, ViewRegion{base, length});
}

}  // namespace

HANDLE CreateFileA(const char* path, DWORD access, DWORD shareMode, void* security, DWORD disposition,
                   DWORD /*attributes*/, HANDLE templateFile) {
    if (path == nullptr || security != nullptr || templateFile != nullptr) return INVALID_HANDLE_VALUE;
    const bool reads = (access & GENERIC_READ) != 0;
    const bool writes = (access & GENERIC_WRITE) != 0;
    if (!reads && !writes) return INVALID_HANDLE_VALUE;

    // Claims are read locks, which need a readable descriptor, so writers open read-write.
    int flags = (writes ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    if (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) {
        if (!writes) return INVALID_HANDLE_VALUE;
        flags |= O_CREAT;
    } else if (disposition != OPEN_EXISTING) {
        return INVALID_HANDLE_VALUE;
    }
    const int fd = open(path, flags, 0666);
    if (fd < 0) return INVALID_HANDLE_VALUE;
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }

    const bool conflict = (reads && HeldByAnother(fd, kDeniesRead)) ||
                          (writes && HeldByAnother(fd, kDeniesWrite)) ||
                          (!(shareMode & FILE_SHARE_READ) && HeldByAnother(fd, kHasRead)) ||
                          (!(shareMode & FILE_SHARE_WRITE) && HeldByAnother(fd, kHasWrite));
    const bool claimed = !conflict && (!reads || Take(fd, kHasRead)) && (!writes || Take(fd, kHasWrite)) &&
                         ((shareMode & FILE_SHARE_READ) || Take(fd, kDeniesRead)) &&
                         ((shareMode & FILE_SHARE_WRITE) || Take(fd, kDeniesWrite));
    // Truncate only once the claims hold, so a refused open never damages a file another holder uses.
    if (!claimed || (disposition == CREATE_ALWAYS && ftruncate(fd, 0) != 0)) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    auto* file = new (std::nothrow) FileObject;
    if (file == nullptr) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    file->fd = fd;
    return file;
}

HANDLE CreateFileMappingA(HANDLE fileHandle, void* security, DWORD protect, DWORD maxSizeHigh,
                          DWORD maxSizeLow, const char* name) {
    FileObject* file = AsFile(fileHandle);
    if (file == nullptr || security != nullptr || protect != PAGE_READONLY || maxSizeHigh != 0 ||
        maxSizeLow != 0 || name != nullptr)
        return nullptr;
    struct stat st {};
    if (fstat(file->fd, &st) != 0 || st.st_size <= 0) return nullptr;  // an empty file cannot be mapped
    auto* mapping = new (std::nothrow) MappingObject;
    if (mapping == nullptr) return nullptr;
    mapping->fd = fcntl(file->fd, F_DUPFD_CLOEXEC, 0);
    if (mapping->fd < 0) {
        delete mapping;
        return nullptr;
    }
    mapping->size = static_cast<uint64_t>(st.st_size);
    return mapping;
}

const void* MapViewOfFile(HANDLE mappingHandle, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                          uint64_t length) {
    MappingObject* mapping = AsMapping(mappingHandle);
    if (mapping == nullptr || access != FILE_MAP_READ || offsetHigh != 0 || offsetLow != 0 || length != 0)
        return nullptr;
    if (mapping->size > SIZE_MAX / 2) return nullptr;
#if defined(LVX_GUARD_PAGE)
    return MapBeforeGuardPage(mapping->fd, mapping->size);
#else
    return MapPlain(mapping->fd, mapping->size);
#endif
}

BOOL UnmapViewOfFile(const void* view) {
    ViewRegion region{};
    {
        std::lock_guard<std::mutex> guard(viewsLock);
        auto it = views.find(view);
        if (it == views.end()) return 0;
        region = it->second;
        views.erase(it);
    }
    return munmap(region.base, region.length) == 0;
}

DWORD GetFileSize(HANDLE fileHandle, DWORD* sizeHigh) {
    FileObject* file = AsFile(fileHandle);
    struct stat st {};
    if (file == nullptr || fstat(file->fd, &st) != 0) return INVALID_FILE_SIZE;
    const auto size = static_cast<uint64_t>(st.st_size);
    if (sizeHigh != nullptr) *sizeHigh = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size);
}

BOOL CloseHandle(HANDLE handle) {
    if (FileObject* file = AsFile(handle)) {
        file->magic = 0;
        const int rc = close(file->fd);
        delete file;
        return rc == 0;
    }
    if (MappingObject* mapping = AsMapping(handle)) {
        mapping->magic = 0;
        const int rc = close(mapping->fd);
        delete mapping;
        return rc == 0;
    }
    return 0;
}

}  // namespace lvx
