#include "ModuleRegistration.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "CommandLine.h"
#include "ExitStatus.h"
#include "HResultText.h"
#include "RegisteredEffects.h"
#include "lvx/ComHost.h"
#include "lvx/Registry.h"

namespace lvx::host {

namespace {

constexpr OptionDef kOptions[] = {{"help", 'h', false}};

// Why path cannot be a module file, or "" when it is a regular file.
std::string notAModule(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::strerror(errno);
    if (S_ISDIR(status.st_mode)) return "is a directory, not a module";
    if (!S_ISREG(status.st_mode)) return "is not a regular file";
    return {};
}

// "Colors.Data {386A0181-...}" for every class the registry now serves from the module.
std::string classesOf(const std::string& modulePath) {
    std::string text;
    try {
        for (const RegisteredEffect& effect : registeredEffects()) {
            if (!sameModule(effect.modulePath, modulePath)) continue;
            if (!text.empty()) text += ", ";
            text += (effect.progId.empty() ? "(no identifier)" : effect.progId) + " " +
                    lvx::GuidToString(effect.clsid);
        }
    } catch (const lvx::RegistryError& error) {
        return std::string("(the registry cannot be read: ") + error.what() + ")";
    }
    return text;
}

}  // namespace

int runModuleRegistration(const char* command, const char* help, bool registering,
                          const std::vector<std::string>& args) {
    std::string error;
    const auto line = parseCommandLine(args, kOptions, error);
    if (!line) {
        reportUsageError(command, error);
        return kExitUsage;
    }
    if (line->has("help")) {
        std::fputs(help, stdout);
        return kExitOk;
    }
    if (line->operands.empty()) {
        reportUsageError(command, "no module given");
        return kExitUsage;
    }
    int status = kExitOk;
    for (const std::string& path : line->operands) {
        if (const std::string why = notAModule(path); !why.empty()) {
            reportFailure(path, why);
            status = kExitPlugin;
            continue;
        }
        // The loader searches its library path for a bare file name; the module is the file named here.
        std::error_code ignored;
        const std::string absolute = std::filesystem::absolute(path, ignored).lexically_normal().string();
        const lvx::HRESULT hr =
            registering ? lvx::RegisterServerModule(absolute) : lvx::UnregisterServerModule(absolute);
        if (lvx::FAILED(hr)) {
            reportFailure(path,
                          std::string(registering ? "cannot be registered: " : "cannot be unregistered: ") +
                              hresultText(hr));
            status = kExitPlugin;
            continue;
        }
        if (registering) {
            const std::string classes = classesOf(absolute);
            std::printf("registered %s: %s\n", path.c_str(),
                        classes.empty() ? "(no class)" : classes.c_str());
        } else {
            std::printf("unregistered %s\n", path.c_str());
        }
    }
    return status;
}

}  // namespace lvx::host
