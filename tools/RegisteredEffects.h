#pragma once

#include <string>
#include <vector>

#include "lvx/Guid.h"

namespace lvx::host {

// One in-process class of the registry, as the registry describes it.
struct RegisteredEffect {
    lvx::CLSID clsid{};
    std::string progId;       // what the class registered as its identifier ("" when none)
    bool ownsProgId = false;  // whether that identifier names this class now (the last registration wins)
    std::string modulePath;   // the module that serves it
};

// Every class of the current registry with an in-process server, listed by class id, so two
// classes that registered the same identifier both appear. Sorted by identifier, then class id.
// Throws lvx::RegistryError when the registry cannot be read.
std::vector<RegisteredEffect> registeredEffects();

// Whether two module paths name the same file (compared through the file system, else as text).
bool sameModule(const std::string& a, const std::string& b);

}  // namespace lvx::host
