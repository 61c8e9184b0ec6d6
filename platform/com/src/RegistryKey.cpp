#include <algorithm>

#include "lvx/Registry.h"

namespace lvx {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

void CheckKeyName(std::string_view name) {
    if (name.empty()) throw RegistryError("registry key name is empty");
    for (char c : name)
        if (IsControl(c)) throw RegistryError("registry key name holds a control character");
}

// Splits "a\b\c" into its names; an empty path gives none.
std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> names;
    if (path.empty()) return names;
    size_t start = 0;
    while (true) {
        size_t end = path.find('\\', start);
        std::string_view name = path.substr(start, end == std::string_view::npos ? end : end - start);
        CheckKeyName(name);
        names.push_back(name);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return names;
}

}  // namespace

bool NoCaseLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

RegistryKey::~RegistryKey() = default;

RegistryKey* RegistryKey::findKey(std::string_view path) {
    return const_cast<RegistryKey*>(static_cast<const RegistryKey*>(this)->findKey(path));
}

const RegistryKey* RegistryKey::findKey(std::string_view path) const {
    const RegistryKey* key = this;
    std::vector<std::string_view> names;
    try {
        names = SplitPath(path);
    } catch (const RegistryError&) {
        return nullptr;  // a malformed path names no key
    }
    for (std::string_view name : names) {
        auto it = key->subkeys_.find(name);
        if (it == key->subkeys_.end()) return nullptr;
        key = it->second.get();
    }
    return key;
}

RegistryKey& RegistryKey::createKey(std::string_view path) {
    RegistryKey* key = this;
    for (std::string_view name : SplitPath(path)) {
        auto it = key->subkeys_.find(name);
        if (it == key->subkeys_.end())
            it = key->subkeys_.emplace(std::string(name), std::make_unique<RegistryKey>()).first;
        key = it->second.get();
    }
    return *key;
}

bool RegistryKey::deleteKeyTree(std::string_view path) {
    std::vector<std::string_view> names;
    try {
        names = SplitPath(path);
    } catch (const RegistryError&) {
        return false;
    }
    if (names.empty()) return false;  // a key cannot delete itself
    std::string_view last = names.back();
    names.pop_back();
    RegistryKey* parent = this;
    for (std::string_view name : names) {
        auto it = parent->subkeys_.find(name);
        if (it == parent->subkeys_.end()) return false;
        parent = it->second.get();
    }
    auto it = parent->subkeys_.find(last);
    if (it == parent->subkeys_.end()) return false;
    parent->subkeys_.erase(it);
    return true;
}

std::vector<std::string> RegistryKey::subkeyNames() const {
    std::vector<std::string> names;
    names.reserve(subkeys_.size());
    for (const auto& [name, key] : subkeys_)
        names.push_back(name);
    return names;
}

const std::map<std::string, std::unique_ptr<RegistryKey>, NoCaseLess>& RegistryKey::subkeys() const {
    return subkeys_;
}

void RegistryKey::setValue(std::string_view name, std::string_view value) {
    if (name.find('\0') != std::string_view::npos || value.find('\0') != std::string_view::npos)
        throw RegistryError("registry value holds a NUL character");
    auto it = values_.find(name);
    if (it == values_.end())
        values_.emplace(std::string(name), std::string(value));
    else
        it->second = value;
}

std::optional<std::string> RegistryKey::value(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool RegistryKey::deleteValue(std::string_view name) {
    auto it = values_.find(name);
    if (it == values_.end()) return false;
    values_.erase(it);
    return true;
}

std::optional<std::string> RegistryKey::valueAt(std::string_view path, std::string_view name) const {
    const RegistryKey* key = findKey(path);
    return key == nullptr ? std::nullopt : key->value(name);
}

bool RegistryKey::operator==(const RegistryKey& other) const {
    return FormatRegistry(*this) == FormatRegistry(other);
}

}  // namespace lvx
