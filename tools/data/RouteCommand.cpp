#include "tools/data/RouteCommand.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "data/Map.h"
#include "pathfind/PathFinder.h"
#include "tools/data/Command.h"

namespace ocre {

namespace {

constexpr const char* kUsage =
    "usage: ocre-data route MAP TILES  (queries \"sc sr gc gr\", one a line, on standard input)";
constexpr const char* kPrefix = "ocre-data route: ";
constexpr int kQueryFields = 4;
// Enough of a bad line to recognise it in the message.
constexpr size_t kQuotedLineLength = 60;
constexpr size_t kInputChunk = 64 * 1024;

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

void appendNumber(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendAnswer(std::string& out, const Waypoints& waypoints) {
    appendNumber(out, static_cast<long long>(waypoints.xs.size()));
    for (size_t i = 0; i < waypoints.xs.size(); ++i) {
        out += ' ';
        appendNumber(out, waypoints.xs[i]);
        out += ',';
        appendNumber(out, waypoints.ys[i]);
    }
    out += '\n';
}

// Answers wait in a buffer while more queries are already at hand, and go
// out before the command waits for input: a caller that sends one query
// at a time still gets each answer before it sends the next.
void flushAnswers(std::string& answers) {
    std::fwrite(answers.data(), 1, answers.size(), stdout);
    std::fflush(stdout);
    answers.clear();
}

// Standard input, line by line, read in large chunks straight from the
// descriptor; false at the end of the input (a last line without a line
// end still counts). Before each read the pending answers are flushed.
class QueryLines {
public:
    explicit QueryLines(std::string& answers) : answers_(answers) {}

    bool next(std::string& line) {
        for (;;) {
            const size_t end = pending_.find('\n', scanned_);
            if (end != std::string::npos) {
                line.assign(pending_, begin_, end - begin_);
                begin_ = scanned_ = end + 1;
                return true;
            }
            if (atEnd_) {
                if (begin_ == pending_.size()) return false;
                line.assign(pending_, begin_, std::string::npos);
                begin_ = scanned_ = pending_.size();
                return true;
            }
            pending_.erase(0, begin_);
            begin_ = 0;
            scanned_ = pending_.size();
            flushAnswers(answers_);
            char chunk[kInputChunk];
            const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                atEnd_ = true;
            } else {
                pending_.append(chunk, static_cast<size_t>(got));
            }
        }
    }

private:
    std::string& answers_;
    std::string pending_;
    size_t begin_ = 0;    // where the next line starts
    size_t scanned_ = 0;  // pending_ holds no line end before this
    bool atEnd_ = false;
};

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

    // Routes need the tiles' walkable flags only: no images, no display.
    std::unique_ptr<Map> map;
    {
        StdoutToStderr loaderMessages;
        map = std::make_unique<Map>(tileFile);
        map->load(mapFile);
    }

    std::string answers;
    QueryLines input(answers);
    std::string line;
    for (unsigned long lineNumber = 1; input.next(line); ++lineNumber) {
        if (isBlank(line)) continue;
        int32_t q[kQueryFields];
        if (!parseQuery(line, q)) {
            flushAnswers(answers);
            std::fprintf(stderr, "%sline %lu: expected \"sc sr gc gr\", four whole numbers, not \"%s\"\n", kPrefix,
                         lineNumber, line.substr(0, kQuotedLineLength).c_str());
            return kStatusFailed;
        }
        appendAnswer(answers, findPath(q[0], q[1], q[2], q[3], *map));
    }
    flushAnswers(answers);
    return 0;
}

}  // namespace ocre
