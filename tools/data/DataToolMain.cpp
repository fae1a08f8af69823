// ocre-data: builds, inspects and renders the game's data files.
//
// This program answers routes itself and links no SDL: loading SDL's tree
// of libraries would cost a route query many times over. The commands that
// make surfaces run in ocre-data-sdl, which lies beside it in a build
// folder and in the installed helpers' folder once installed; this program
// hands the whole command line over by replacing itself with it, so the
// exit status, the output and the signals are the helper's own.

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/data/Command.h"
#include "tools/data/RouteCommand.h"

namespace {

constexpr const char* kHelperName = "ocre-data-sdl";

// The folder of this program's file, "" when it cannot be told.
std::string programFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "";
    const std::string file(path, static_cast<size_t>(length));
    const size_t slash = file.rfind('/');
    return slash == std::string::npos ? "" : file.substr(0, slash + 1);
}

int runInHelper(char** argv) {
    const std::string beside = programFolder() + kHelperName;
    const std::string installed = std::string(OCRE_INSTALLED_HELPERS) + "/" + kHelperName;
    const std::string& helper = access(beside.c_str(), X_OK) == 0 ? beside : installed;
    execv(helper.c_str(), argv);
    return ocre::failWith("cannot run " + helper + ": " + std::strerror(errno));
}

}  // namespace

int main(int argc, char** argv) { return ocre::runDataTool(argc, argv, {{"route", ocre::runRoute}}, runInHelper); }
