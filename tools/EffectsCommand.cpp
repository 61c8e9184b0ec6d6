// lamivex effects: every registered plug-in class with its identifier, class id, module and Text.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "EffectObject.h"
#include "ExitStatus.h"
#include "HResultText.h"
#include "RegisteredEffects.h"
#include "lvx/ComHost.h"
#include "lvx/Registry.h"

namespace lvx::host {

namespace {

constexpr OptionDef kOptions[] = {{"help", 'h', false}};

constexpr const char* kHelp =
    "Usage: lamivex effects\n"
    "Lists every plug-in class in the registry named by LAMIVEX_REGISTRY (else\n"
    "$XDG_CONFIG_HOME/lamivex/registry, else ~/.config/lamivex/registry), one row per class id: the\n"
    "class id, its programmatic identifier, its module file and the Text the object answers (UTF-8).\n"
    "Two classes may have registered the same identifier; it belongs to the one registered last, and\n"
    "the other is marked '*' (reach it with 'lamivex apply --clsid').\n\n"
    "  -h, --help  print this help\n\n"
    "Exit status: 0 success, 2 bad command line, 5 the registry cannot be read or some class could not\n"
    "be created or answer its Text (each is reported; the others are listed).\n";

struct Row {
    std::string clsid;
    std::string progId;
    std::string module;
    std::string text;
};

}  // namespace

int runEffects(const std::vector<std::string>& args) {
    std::string error;
    const auto line = parseCommandLine(args, kOptions, error);
    if (!line) {
        reportUsageError("effects", error);
        return kExitUsage;
    }
    if (line->has("help")) {
        std::fputs(kHelp, stdout);
        return kExitOk;
    }
    if (!line->operands.empty()) {
        reportUsageError("effects", "takes no operands");
        return kExitUsage;
    }
    std::vector<RegisteredEffect> effects;
    try {
        effects = registeredEffects();
    } catch (const lvx::RegistryError& failure) {
        reportFailure(lvx::Registry::Current().path(),
                      std::string("the registry cannot be read: ") + failure.what());
        return kExitPlugin;
    }
    if (effects.empty()) {
        std::printf("No plug-ins are registered in %s.\n", lvx::Registry::Current().path().c_str());
        return kExitOk;
    }

    int status = kExitOk;
    bool anyShadowed = false;
    std::vector<Row> rows;
    for (const RegisteredEffect& effect : effects) {
        Row row{lvx::GuidToString(effect.clsid),
                effect.progId.empty() ? "-" : effect.progId,
                std::filesystem::path(effect.modulePath).filename().string(),
                {}};
        if (!effect.progId.empty() && !effect.ownsProgId) {
            row.progId += "*";
            anyShadowed = true;
        }
        {
            lvx::plugins::EffectObject object(effect.clsid);
            lvx::HRESULT hr = object.status();
            if (object.valid()) row.text = object.text(&hr);
            if (lvx::FAILED(hr)) {
                reportFailure(
                    row.clsid,
                    std::string(object.valid() ? "Text failed: " : "cannot be created: ") + hresultText(hr));
                status = kExitPlugin;
                row.text = "?";
            }
        }
        rows.push_back(std::move(row));
    }
    lvx::CoFreeUnusedLibraries();

    size_t progIdWidth = 10, moduleWidth = 6;
    for (const Row& row : rows) {
        progIdWidth = std::max(progIdWidth, row.progId.size());
        moduleWidth = std::max(moduleWidth, row.module.size());
    }
    const int p = static_cast<int>(progIdWidth), m = static_cast<int>(moduleWidth);
    std::printf("%-38s  %-*s  %-*s  %s\n", "Class id", p, "Identifier", m, "Module", "Text");
    for (const Row& row : rows)
        std::printf("%-38s  %-*s  %-*s  %s\n", row.clsid.c_str(), p, row.progId.c_str(), m,
                    row.module.c_str(), row.text.c_str());
    if (anyShadowed)
        std::printf(
            "\n* the identifier now names another class; use 'lamivex apply --clsid CLASS-ID' for this "
            "one.\n");
    return status;
}

}  // namespace lvx::host
