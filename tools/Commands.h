#pragma once

#include <span>
#include <string>
#include <vector>

namespace lvx::host {

// One subcommand of the lamivex program. Each lives in its own <Name>Command.cpp; run receives the
// arguments after the command's name and returns the exit status (ExitStatus.h).
struct Command {
    const char* name;
    const char* summary;
    int (*run)(const std::vector<std::string>& args);
};

int runInfo(const std::vector<std::string>& args);
int runExtract(const std::vector<std::string>& args);
int runRegister(const std::vector<std::string>& args);
int runUnregister(const std::vector<std::string>& args);
int runEffects(const std::vector<std::string>& args);
int runApply(const std::vector<std::string>& args);

// Every command, in the order --help lists them.
std::span<const Command> commands();

}  // namespace lvx::host
