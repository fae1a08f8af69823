#pragma once
// The sub-commands of ocre-data. To add one, write its run function in a
// source file of its own, declare it below, add its row to the table in
// CommandTable.cpp and its runner to the program that runs it: route runs
// in ocre-data itself, the commands that need SDL in ocre-data-sdl
// (SdlCommandsMain.cpp), to which ocre-data hands them. The dispatcher and
// --help pick the texts up from the table.

#include <string>
#include <vector>

namespace ocre {

struct Command {
    const char* name;
    const char* arguments;  // for the usage line
    const char* summary;    // one line for --help
};

// Texts only: the program that answers routes links nothing the other
// commands need (SDL's start-up would cost more than many routes).
const std::vector<Command>& commandTable();

// Returns the exit status; 0 on success.
using CommandRun = int (*)(const std::vector<std::string>& arguments);
struct CommandRunner {
    const char* name;
    CommandRun run;
};

// The entry of both programs: --help, a command's --help and bad usage from
// the table; a command with a runner here runs, any other of the table goes
// to runElsewhere (given the whole command line), or is unknown without it.
int runDataTool(int argc, char** argv, const std::vector<CommandRunner>& runners, int (*runElsewhere)(char** argv));

constexpr const char* kToolName = "ocre-data";
constexpr int kStatusFailed = 1;
constexpr int kStatusBadUsage = 2;

// "ocre-data: <message>" on standard error; returns kStatusFailed.
int failWith(const std::string& message);
// "ocre-data <command>: <message> (usage: ...)" on standard error;
// returns kStatusBadUsage.
int badUsage(const Command& command, const std::string& message);
const Command& commandNamed(const char* name);

int runBuild(const std::vector<std::string>& arguments);
int runInspect(const std::vector<std::string>& arguments);
int runRender(const std::vector<std::string>& arguments);
int runSheet(const std::vector<std::string>& arguments);
int runRoute(const std::vector<std::string>& arguments);
int runIcon(const std::vector<std::string>& arguments);

}  // namespace ocre
