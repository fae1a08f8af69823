#include <cstdio>
#include <cstring>

#include "tools/data/Command.h"

namespace ocre {

namespace {

bool isHelp(const char* argument) { return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0; }

void printHelp() {
    std::printf("usage: %s COMMAND ARGUMENTS...\n\n", kToolName);
    std::printf("Builds, inspects and renders the data set of the ocre game server.\n\ncommands:\n");
    for (const Command& command : commandTable())
        std::printf("  %s %s\n      %s\n", command.name, command.arguments, command.summary);
    std::printf("\n%s COMMAND --help shows the usage of one command.\n", kToolName);
}

}  // namespace

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = {
        {"build", "DIR [--font CONSOLE_FONT]", "write the complete default data set into DIR"},
        {"inspect", "[--tiles FILE.tle] FILE...", "describe data files (.spr .tle .map .dat .pat .dlg) and what is wrong with them; status 1 if anything is"},
        {"render", "DIR OUT.png", "draw the map of the data set in DIR, with the sheep path, to a PNG file"},
        {"sheet", "FILE.spr OUT.png", "draw all frames of a sprite frame file side by side to a PNG file"},
        {"route", "MAP TILES", "answer route queries \"sc sr gc gr\" from standard input with the server's path finder"},
        {"icon", "FILE.spr SIZE OUT.png", "draw the first frame of a sprite frame file as a square icon of SIZE pixels"},
    };
    return table;
}

int runDataTool(int argc, char** argv, const std::vector<CommandRunner>& runners, int (*runElsewhere)(char** argv)) {
    if (argc < 2) {
        std::fprintf(stderr, "%s: missing command (try %s --help)\n", kToolName, kToolName);
        return kStatusBadUsage;
    }
    if (isHelp(argv[1])) {
        printHelp();
        return 0;
    }
    for (const Command& command : commandTable()) {
        if (std::strcmp(command.name, argv[1]) != 0) continue;
        if (argc == 3 && isHelp(argv[2])) {
            std::printf("usage: %s %s %s\n  %s\n", kToolName, command.name, command.arguments, command.summary);
            return 0;
        }
        for (const CommandRunner& runner : runners)
            if (std::strcmp(runner.name, command.name) == 0)
                return runner.run(std::vector<std::string>(argv + 2, argv + argc));
        if (runElsewhere != nullptr) return runElsewhere(argv);
        break;
    }
    std::fprintf(stderr, "%s: unknown command \"%s\" (try %s --help)\n", kToolName, argv[1], kToolName);
    return kStatusBadUsage;
}

int failWith(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kToolName, message.c_str());
    return kStatusFailed;
}

int badUsage(const Command& command, const std::string& message) {
    std::fprintf(stderr, "%s %s: %s (usage: %s %s %s)\n", kToolName, command.name, message.c_str(), kToolName,
                 command.name, command.arguments);
    return kStatusBadUsage;
}

const Command& commandNamed(const char* name) {
    for (const Command& command : commandTable())
        if (std::strcmp(command.name, name) == 0) return command;
    return commandTable().front();
}

}  // namespace ocre
