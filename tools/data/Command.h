#pragma once
// The sub-commands of ocre-data. To add one, write its run function in a
// source file of its own, declare it below, and add its row to the table
// in CommandTable.cpp: the dispatcher and --help pick it up from there.

#include <string>
#include <vector>

namespace ocre {

struct Command {
    const char* name;
    const char* arguments;  // for the usage line
    const char* summary;    // one line for --help
    // Returns the exit status; 0 on success.
    int (*run)(const std::vector<std::string>& arguments);
};

const std::vector<Command>& commandTable();

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
