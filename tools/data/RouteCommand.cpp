#include "tools/data/RouteCommand.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/Map.h"
#include "pathfind/PathFinder.h"
#include "tools/data/Command.h"
#include "tools/data/HeadlessVideo.h"

namespace ocre {

namespace {

constexpr const char* kUsage =
    "usage: ocre-data route MAP TILES  (queries \"sc sr gc gr\", one a line, on standard input)";
constexpr const char* kPrefix = "ocre-data route: ";
constexpr int kQueryFields = 4;
// Enough of a bad line to recognise it in the message.
constexpr size_t kQuotedLineLength = 60;

int badUsage(const char* problem) {
    std::fprintf(stderr, "%s%s (%s)\n", kPrefix, problem, kUsage);
    return kStatusBadUsage;
}

bool readable(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "%scannot open %s: %s\n", kPrefix, path, std::strerror(errno));
        return false;
    }
    std::fclose(file);
    return true;
}

// The server's loaders report a refused file on standard output and end
// the process; standard output is for answers only, so while they run it
// points at standard error.
class StdoutToStderr {
public:
    StdoutToStderr() {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        if (saved_ >= 0) dup2(STDERR_FILENO, STDOUT_FILENO);
    }
    ~StdoutToStderr() {
        std::fflush(stdout);
        if (saved_ < 0) return;
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }
    StdoutToStderr(const StdoutToStderr&) = delete;
    StdoutToStderr& operator=(const StdoutToStderr&) = delete;

private:
    int saved_;
};

bool isBlank(const std::string& line) { return line.find_first_not_of(" \t\r\n") == std::string::npos; }

// Exactly four whole numbers in the signed 32-bit range, blanks around.
bool parseQuery(const std::string& line, int32_t (&fields)[kQueryFields]) {
    const char* at = line.c_str();
    for (int32_t& field : fields) {
        char* end = nullptr;
        errno = 0;
        const long long value = std::strtoll(at, &end, 10);
        if (end == at || errno == ERANGE || value < std::numeric_limits<int32_t>::min() ||
            value > std::numeric_limits<int32_t>::max())
            return false;
        field = static_cast<int32_t>(value);
        at = end;
    }
    return isBlank(at);
}

void printAnswer(const Waypoints& waypoints) {
    std::printf("%zu", waypoints.xs.size());
    for (size_t i = 0; i < waypoints.xs.size(); ++i) std::printf(" %d,%d", waypoints.xs[i], waypoints.ys[i]);
    std::printf("\n");
    // A caller may wait for each answer before it sends the next query.
    std::fflush(stdout);
}

}  // namespace

int runRoute(const std::vector<std::string>& arguments) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::printf("%s\n", kUsage);
        return 0;
    }
    if (arguments.size() != 2) return badUsage("expected a map file and a tile file");
    const char* mapFile = arguments[0].c_str();
    const char* tileFile = arguments[1].c_str();
    if (!readable(mapFile) || !readable(tileFile)) return kStatusFailed;

    // The loaders make surfaces in the screen's format, so a display must
    // be open while the map lives.
    std::optional<HeadlessVideo> video;
    std::unique_ptr<Map> map;
    {
        StdoutToStderr loaderMessages;
        video.emplace();
        map = std::make_unique<Map>(tileFile, &video->display());
        map->load(mapFile);
    }

    std::string line;
    for (unsigned long lineNumber = 1; std::getline(std::cin, line); ++lineNumber) {
        if (isBlank(line)) continue;
        int32_t q[kQueryFields];
        if (!parseQuery(line, q)) {
            std::fprintf(stderr, "%sline %lu: expected \"sc sr gc gr\", four whole numbers, not \"%s\"\n", kPrefix,
                         lineNumber, line.substr(0, kQuotedLineLength).c_str());
            return kStatusFailed;
        }
        printAnswer(findPath(q[0], q[1], q[2], q[3], *map));
    }
    return 0;
}

}  // namespace ocre
