// Resources of component modules: how they are declared, encoded and found in a module file.
//
// A module's resources are declared in a resource script (format in platform/com/README.md), encoded
// by the build into one binary block, and linked into the module as the non-loaded ELF section
// ".lvx.rsrc". Nothing is exported for them; readers open the file and find the section by name.
#ifndef LVX_MODULERESOURCES_H
#define LVX_MODULERESOURCES_H

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "lvx/ComExport.h"
#include "lvx/TypeLibrary.h"
#include "lvx/VersionInfo.h"

namespace lvx {

constexpr const char* kResourceSectionName = ".lvx.rsrc";

// A malformed resource script or resource block.
class LVX_COM_API ResourceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ModuleResources {
    std::optional<TypeLibrary> typeLibrary;  // resource "TYPELIB", id 1
    std::optional<VersionInfo> versionInfo;  // resource "VERSION", id 1
    bool operator==(const ModuleResources&) const = default;
};

// Reads a resource script; appends to what `into` holds already, so several scripts make one set.
// Throws ResourceError naming the line of the first fault.
LVX_COM_API void ParseResourceScript(std::string_view text, ModuleResources& into);

// The binary block and its decoding. DecodeResources checks every length against the block and
// throws ResourceError on any inconsistency.
LVX_COM_API std::vector<uint8_t> EncodeResources(const ModuleResources& resources);
LVX_COM_API ModuleResources DecodeResources(const uint8_t* data, size_t size);

// The contents of the named section of an ELF file, read with every offset and size checked against
// the file. Nothing when the file cannot be read, is not a 64-bit little-endian ELF file, is damaged,
// or has no such section.
LVX_COM_API std::optional<std::vector<uint8_t>> ReadElfSection(const std::string& path,
                                                               std::string_view name);

// The decoded resources of a module file. Throws ResourceError when the file has no resource section
// or a damaged one.
LVX_COM_API ModuleResources ReadModuleResources(const std::string& modulePath);

}  // namespace lvx

#endif
