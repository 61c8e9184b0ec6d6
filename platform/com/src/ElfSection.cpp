// Finds a named section in a 64-bit little-endian ELF file. The file is read into memory and every
// offset and size taken from it is checked against the file's length before use, so a truncated or
// damaged module gives "no section" rather than a read past the end.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "lvx/ModuleResources.h"

namespace lvx {

namespace {

// Modules are small; a larger file is not one we carry resources in.
constexpr uint64_t kMaxFileSize = 512ull << 20;

constexpr uint16_t kSectionIndexExtended = 0xFFFF;
constexpr uint32_t kSectionNoBits = 8;
constexpr size_t kHeaderSize = 64;
constexpr size_t kSectionHeaderSize = 64;

std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) <= kMaxFileSize;
    if (ok) {
        bytes.resize(static_cast<size_t>(st.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        bytes.resize(done);
    }
    close(fd);
    if (!ok) return std::nullopt;
    return bytes;
}

class FileView {
  public:
    explicit FileView(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool Has(uint64_t offset, uint64_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    uint16_t U16(uint64_t offset) const {
        const uint8_t* p = bytes_.data() + offset;
        return static_cast<uint16_t>(p[0] | p[1] << 8);
    }
    uint32_t U32(uint64_t offset) const { return uint32_t{U16(offset)} | uint32_t{U16(offset + 2)} << 16; }
    uint64_t U64(uint64_t offset) const { return uint64_t{U32(offset)} | uint64_t{U32(offset + 4)} << 32; }
    const uint8_t* At(uint64_t offset) const { return bytes_.data() + offset; }

  private:
    const std::vector<uint8_t>& bytes_;
};

struct Section {
    uint32_t nameOffset;
    uint32_t type;
    uint64_t offset;
    uint64_t size;
    uint32_t link;
};

}  // namespace

std::optional<std::vector<uint8_t>> ReadElfSection(const std::string& path, std::string_view name) {
    std::optional<std::vector<uint8_t>> bytes = ReadFile(path);
    if (!bytes) return std::nullopt;
    FileView file(*bytes);
    if (!file.Has(0, kHeaderSize)) return std::nullopt;
    const uint8_t* ident = file.At(0);
    if (std::memcmp(ident,
                    "\x7F"
                    "ELF",
                    4) != 0 ||
        ident[4] != 2 /* 64-bit */ || ident[5] != 1 /* LSB */)
        return std::nullopt;
    uint64_t tableOffset = file.U64(0x28);
    uint16_t entrySize = file.U16(0x3A);
    uint64_t count = file.U16(0x3C);
    uint64_t namesIndex = file.U16(0x3E);
    if (entrySize < kSectionHeaderSize) return std::nullopt;

    auto sectionAt = [&](uint64_t index) -> std::optional<Section> {
        // tableOffset <= 2^29, index < 2^32 and entrySize < 2^16: the sum cannot wrap.
        if (tableOffset > kMaxFileSize) return std::nullopt;
        uint64_t at = tableOffset + index * entrySize;
        if (!file.Has(at, kSectionHeaderSize)) return std::nullopt;
        return Section{file.U32(at), file.U32(at + 4), file.U64(at + 0x18), file.U64(at + 0x20),
                       file.U32(at + 0x28)};
    };
    // Files with very many sections keep the real count and the names index in section 0.
    if (count == 0 || namesIndex == kSectionIndexExtended) {
        std::optional<Section> first = sectionAt(0);
        if (!first) return std::nullopt;
        if (count == 0) count = first->size;
        if (namesIndex == kSectionIndexExtended) namesIndex = first->link;
    }
    if (count > UINT32_MAX || namesIndex >= count) return std::nullopt;
    std::optional<Section> names = sectionAt(namesIndex);
    if (!names || names->type == kSectionNoBits || !file.Has(names->offset, names->size)) return std::nullopt;

    for (uint64_t i = 0; i < count; ++i) {
        std::optional<Section> s = sectionAt(i);
        if (!s) return std::nullopt;
        if (s->nameOffset >= names->size) continue;
        // The name must end with its NUL inside the names section.
        const char* start = reinterpret_cast<const char*>(file.At(names->offset + s->nameOffset));
        size_t room = static_cast<size_t>(names->size - s->nameOffset);
        const void* nul = std::memchr(start, 0, room);
        if (nul == nullptr) continue;
        if (std::string_view(start, static_cast<const char*>(nul) - start) != name) continue;
        if (s->type == kSectionNoBits || !file.Has(s->offset, s->size)) return std::nullopt;
        return std::vector<uint8_t>(file.At(s->offset), file.At(s->offset) + s->size);
    }
    return std::nullopt;
}

ModuleResources ReadModuleResources(const std::string& modulePath) {
    std::optional<std::vector<uint8_t>> block = ReadElfSection(modulePath, kResourceSectionName);
    if (!block) throw ResourceError(modulePath + ": no resource section");
    return DecodeResources(block->data(), block->size());
}

}  // namespace lvx
