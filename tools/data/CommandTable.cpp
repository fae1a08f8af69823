#include <cstdio>
#include <cstring>

#include "tools/data/Command.h"

namespace ocre {

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = {
        {"build", "DIR [--font CONSOLE_FONT]", "write the complete default data set into DIR", runBuild},
        {"inspect", "[--tiles FILE.tle] FILE...", "describe data files (.spr .tle .map .dat .pat .dlg) and what is wrong with them; status 1 if anything is", runInspect},
        {"render", "DIR OUT.png", "draw the map of the data set in DIR, with the sheep path, to a PNG file", runRender},
        {"sheet", "FILE.spr OUT.png", "draw all frames of a sprite frame file side by side to a PNG file", runSheet},
        {"route", "MAP TILES", "answer route queries \"sc sr gc gr\" from standard input with the server's path finder", runRoute},
        {"icon", "FILE.spr SIZE OUT.png", "draw the first frame of a sprite frame file as a square icon of SIZE pixels", runIcon},
    };
    return table;
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
