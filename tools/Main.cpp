// lamivex: command-line host of the Lamivex library. A small dispatcher; each command is its own file.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "ExitStatus.h"
#include "lamivex.h"

using namespace lvx::host;

namespace {

void printHelp(FILE* out) {
    std::fprintf(out,
                 "Usage: lamivex COMMAND [OPTIONS] ...\n"
                 "Reads layered 8-bit RGB PSD documents with the Lamivex library and runs effect plug-ins\n"
                 "on pictures.\n\nCommands:\n");
    for (const Command& command : commands())
        std::fprintf(out, "  %-10s %s\n", command.name, command.summary);
    std::fprintf(out,
                 "\n'lamivex COMMAND --help' describes a command. 'lamivex --version' prints the versions.\n"
                 "Exit status: 0 success, 1 the document (or picture) cannot be opened, 2 bad command line,\n"
                 "3 an output file cannot be written, 4 some images of the document failed to decode,\n"
                 "5 a plug-in module or object failed (register, unregister, effects, apply).\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(stderr);
        return kExitUsage;
    }
    const std::string_view first = argv[1];
    if (first == "--help" || first == "-h") {
        printHelp(stdout);
        return kExitOk;
    }
    if (first == "--version") {
        std::printf("lamivex %s (library version %d)\n", LAMIVEX_HOST_VERSION,
                    static_cast<int>(Lamivex_GetVersion()));
        return kExitOk;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    std::string_view name = first;
    if (name == "help" && !args.empty()) {
        name = argv[2];
        args = {"--help"};
    }
    for (const Command& command : commands()) {
        if (name == command.name) return command.run(args);
    }
    std::fprintf(stderr, "lamivex: unknown command '%.*s' (see 'lamivex --help')\n",
                 static_cast<int>(name.size()), name.data());
    return kExitUsage;
}
