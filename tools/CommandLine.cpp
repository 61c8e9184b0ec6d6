#include "CommandLine.h"

#include <cstdio>

namespace lvx::host {

std::string CommandLine::value(std::string_view name, std::string fallback) const {
    const auto found = options.find(name);
    return found == options.end() ? fallback : found->second;
}

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::span<const OptionDef> options, std::string& error) {
    CommandLine line;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            line.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionDef* option = nullptr;
        std::optional<std::string> attached;
        if (arg[1] == '-') {
            const size_t equals = arg.find('=');
            const std::string_view name = std::string_view(arg).substr(2, equals - 2);
            for (const auto& candidate : options) {
                if (candidate.name == name) option = &candidate;
            }
            if (option && equals != std::string::npos) attached = arg.substr(equals + 1);
        } else {
            for (const auto& candidate : options) {
                if (candidate.shortName == arg[1]) option = &candidate;
            }
            if (option && arg.size() > 2) attached = arg.substr(2);
        }
        if (!option) {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
        const std::string name(option->name);
        if (!option->takesValue) {
            if (attached) {
                error = "option '--" + name + "' takes no value";
                return std::nullopt;
            }
            line.options[name] = "";
            continue;
        }
        if (!attached) {
            if (i + 1 >= args.size()) {
                error = "option '--" + name + "' needs a value";
                return std::nullopt;
            }
            attached = args[++i];
        }
        line.options[name] = *attached;
    }
    return line;
}

void reportUsageError(std::string_view command, const std::string& why) {
    std::fprintf(stderr, "lamivex %.*s: %s (see 'lamivex %.*s --help')\n", static_cast<int>(command.size()),
                 command.data(), why.c_str(), static_cast<int>(command.size()), command.data());
}

void reportFailure(const std::string& file, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), what.c_str());
}

}  // namespace lvx::host
