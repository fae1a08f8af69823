// ocre-data: builds, inspects and renders the game's data files.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/data/Command.h"

namespace {

bool isHelp(const char* argument) { return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0; }

void printHelp() {
    std::printf("usage: %s COMMAND ARGUMENTS...\n\n", ocre::kToolName);
    std::printf("Builds, inspects and renders the data set of the ocre game server.\n\ncommands:\n");
    for (const ocre::Command& command : ocre::commandTable())
        std::printf("  %s %s\n      %s\n", command.name, command.arguments, command.summary);
    std::printf("\n%s COMMAND --help shows the usage of one command.\n", ocre::kToolName);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "%s: missing command (try %s --help)\n", ocre::kToolName, ocre::kToolName);
        return ocre::kStatusBadUsage;
    }
    if (isHelp(argv[1])) {
        printHelp();
        return 0;
    }
    for (const ocre::Command& command : ocre::commandTable()) {
        if (std::strcmp(command.name, argv[1]) != 0) continue;
        if (argc == 3 && isHelp(argv[2])) {
            std::printf("usage: %s %s %s\n  %s\n", ocre::kToolName, command.name, command.arguments, command.summary);
            return 0;
        }
        return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "%s: unknown command \"%s\" (try %s --help)\n", ocre::kToolName, argv[1], ocre::kToolName);
    return ocre::kStatusBadUsage;
}
