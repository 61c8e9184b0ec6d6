// The per-user registry of components: a tree of keys, each holding named string values, kept in one
// text file (its format is described in platform/com/README.md).
//
// Key paths use '\' between names ("CLSID\{...}\InprocServer32"). Key and value names compare
// without regard to ASCII case and keep the spelling they were created with. The value named "" is
// the key's default value.
//
// The file is replaced atomically on every change (a temporary file in the same folder, flushed to
// disk, then renamed over the old one), so a reader sees either the old or the new tree and a crash
// leaves one of them. Changes hold an exclusive lock on "<file>.lock" from reading to renaming, so
// changes made at the same time by several processes are applied one after the other and none is lost.
#ifndef LVX_REGISTRY_H
#define LVX_REGISTRY_H

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lvx/ComExport.h"

namespace lvx {

// A damaged registry file, a name that cannot be stored, or a failed read or write.
class LVX_COM_API RegistryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct LVX_COM_API NoCaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

class LVX_COM_API RegistryKey {
  public:
    RegistryKey() = default;
    RegistryKey(RegistryKey&&) noexcept = default;
    RegistryKey& operator=(RegistryKey&&) noexcept = default;
    ~RegistryKey();

    // The key at path below this one, or null. An empty path is this key.
    RegistryKey* findKey(std::string_view path);
    const RegistryKey* findKey(std::string_view path) const;
    // The key at path, created with every missing key on the way. Throws RegistryError for an empty
    // name or one holding a control character.
    RegistryKey& createKey(std::string_view path);
    // Removes the key at path with everything below it; false when there was none.
    bool deleteKeyTree(std::string_view path);

    // Names of the direct subkeys, sorted without regard to case.
    std::vector<std::string> subkeyNames() const;
    bool hasSubkeys() const { return !subkeys_.empty(); }
    const std::map<std::string, std::unique_ptr<RegistryKey>, NoCaseLess>& subkeys() const;

    // Throws RegistryError for a name or value holding a NUL character.
    void setValue(std::string_view name, std::string_view value);
    std::optional<std::string> value(std::string_view name) const;
    bool deleteValue(std::string_view name);
    const std::map<std::string, std::string, NoCaseLess>& values() const { return values_; }

    // A convenience: the value `name` of the key at path, if both exist.
    std::optional<std::string> valueAt(std::string_view path, std::string_view name = "") const;

    bool operator==(const RegistryKey& other) const;

  private:
    std::map<std::string, std::string, NoCaseLess> values_;
    std::map<std::string, std::unique_ptr<RegistryKey>, NoCaseLess> subkeys_;
};

class LVX_COM_API Registry {
  public:
    // The registry in the file at path.
    explicit Registry(std::string path);
    // The current user's registry: the file named by LAMIVEX_REGISTRY when it is set and not empty,
    // else $XDG_CONFIG_HOME/lamivex/registry, else ~/.config/lamivex/registry. Read anew on each call.
    static Registry Current();

    const std::string& path() const { return path_; }

    // The tree as it is in the file now; a missing file is an empty tree. Throws RegistryError when
    // the file cannot be read or is damaged.
    RegistryKey load() const;

    // Under the exclusive lock: reads the tree, lets edit change it and, when it changed, writes it
    // back atomically (the folder is created when missing). An exception from edit leaves the file
    // as it was and is passed on. Throws RegistryError when the file cannot be read, is damaged (it
    // is then left untouched), or cannot be written (the old file then stays in place).
    void update(const std::function<void(RegistryKey& root)>& edit) const;

  private:
    std::string path_;
};

// The text form of a tree, and its reading back. Throws RegistryError for a damaged text, naming
// the line.
LVX_COM_API std::string FormatRegistry(const RegistryKey& root);
LVX_COM_API RegistryKey ParseRegistry(std::string_view text);

}  // namespace lvx

#endif
