#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lvx::host {

// One option a command accepts: "--name", optionally "-x", and whether a value follows it.
struct OptionDef {
    std::string_view name;
    char shortName = 0;
    bool takesValue = false;
};

// A command's arguments split into options (by long name; a flag maps to "") and operands.
struct CommandLine {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> operands;

    bool has(std::string_view name) const { return options.find(name) != options.end(); }
    std::string value(std::string_view name, std::string fallback = {}) const;
};

// Accepts "--name value", "--name=value", "-x value" and "-xvalue"; "--" ends the options, and "-" alone
// is an operand. A repeated option keeps its last value. std::nullopt with error on anything unknown.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::span<const OptionDef> options, std::string& error);

// Prints "lamivex COMMAND: why (see 'lamivex COMMAND --help')" on stderr.
void reportUsageError(std::string_view command, const std::string& why);
// Prints "FILE: what" on stderr.
void reportFailure(const std::string& file, const std::string& what);

}  // namespace lvx::host
