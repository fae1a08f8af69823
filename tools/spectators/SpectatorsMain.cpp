// ocre-spectators: many WebSocket spectators of a relay's live stream at
// once, for load tests and the benchmark. Prints one summary and judges it.

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "tools/spectators/SpectatorCrowd.h"

namespace {

using namespace ocre::spectators;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// One under the relay's 40 passes a second, so that the timing noise of a
// loaded machine passes while a relay that falls behind does not.
constexpr double kDefaultLeastRate = 39;
constexpr uint32_t kMostSpectators = 100000;

const char kUsage[] =
    "usage: ocre-spectators --url ws://HOST:PORT/PATH [--spectators N] [--stalled N]\n"
    "                       [--seconds S] [--least-rate R]\n"
    "Connects N WebSocket spectators (default 100) to a relay's live stream, and\n"
    "N stalled ones (default 0) that complete the handshake with the smallest\n"
    "receive window and then read nothing. Once all are in, counts for S seconds\n"
    "(default 10) the frames each spectator receives; then each stalled one reads\n"
    "what is left, for at most 5 s, to see whether the relay has closed it.\n"
    "Prints one summary line:\n"
    "  passes/s min, mean, max   frames a second per spectator\n"
    "  bytes/s                   wire bytes a second per spectator (mean)\n"
    "  skipped                   passes jumped over, all spectators together\n"
    "  relay passes/s            passes the relay numbered a second (the most any\n"
    "                            spectator saw): the pace of its source\n"
    "  relay count               spectators as the relay's status messages said\n"
    "                            (most seen, and at the end)\n"
    "  stalled closed            stalled ones the relay had dropped\n"
    "Exit 1 if a spectator could not connect, lost its connection, received a\n"
    "malformed frame or fewer than R frames a second (default 39; one less than\n"
    "the relay's own pace when its source is slower), or if a stalled one was not\n"
    "dropped; 2 on bad usage.\n";

bool parseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value >= 0 && value < 1e9;
}

bool parseOptions(int argc, char** argv, CrowdOptions& options, double& leastRate, bool& help, std::string& error) {
    bool haveUrl = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            help = true;
            return true;
        }
        if (i + 1 >= argc) {
            error = "unknown option or missing value: " + option;
            return false;
        }
        const char* value = argv[++i];
        double number = 0;
        if (option == "--url") {
            std::cmatch parts;
            if (!std::regex_match(value, parts, std::regex(R"(ws://([^/:]+):(\d{1,5})(/[!-~]*))"))) {
                error = std::string("not a ws://HOST:PORT/PATH address: ") + value;
                return false;
            }
            options.host = parts[1];
            options.port = parts[2];
            options.path = parts[3];
            haveUrl = true;
        } else if (option == "--spectators" || option == "--stalled") {
            if (!parseNumber(value, number) || number != static_cast<uint32_t>(number) || number > kMostSpectators) {
                error = option + " wants a whole number up to " + std::to_string(kMostSpectators) + ", not " + value;
                return false;
            }
            (option == "--spectators" ? options.spectators : options.stalled) = static_cast<uint32_t>(number);
        } else if (option == "--seconds" || option == "--least-rate") {
            if (!parseNumber(value, number) || (option == "--seconds" && number <= 0)) {
                error = option + " wants a positive number, not " + std::string(value);
                return false;
            }
            (option == "--seconds" ? options.seconds : leastRate) = number;
        } else {
            error = "unknown option " + option;
            return false;
        }
    }
    if (!haveUrl) error = "--url is needed (see --help)";
    return haveUrl;
}

// Many sockets: as many as the system lets this process hold.
void raiseFileLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

}  // namespace

int main(int argc, char** argv) {
    CrowdOptions options;
    double leastRate = kDefaultLeastRate;
    bool help = false;
    std::string error;
    if (!parseOptions(argc, argv, options, leastRate, help, error)) {
        std::fprintf(stderr, "ocre-spectators: %s\n", error.c_str());
        return kExitUsage;
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    raiseFileLimit();
    const CrowdResult result = runCrowd(options);
    if (!result.error.empty()) {
        std::fprintf(stderr, "ocre-spectators: %s\n", result.error.c_str());
        return kExitFailure;
    }

    // A relay can only pass on the passes it is given: when its source (a
    // server on a loaded machine) is slower, a spectator is judged against
    // the relay's own pace.
    uint64_t numbered = 0;
    for (const SpectatorCount& s : result.spectators) numbered = std::max(numbered, s.numbered);
    const double relayPace = numbered / result.measuredSeconds;
    const double leastAllowed = std::min(leastRate, relayPace - 1);
    double least = 1e18, most = 0, rateSum = 0, byteSum = 0;
    uint64_t skipped = 0, bad = 0;
    uint32_t connected = 0;
    int failures = 0;
    for (size_t i = 0; i < result.spectators.size(); ++i) {
        const SpectatorCount& s = result.spectators[i];
        const double rate = s.frames / result.measuredSeconds;
        least = std::min(least, rate);
        most = std::max(most, rate);
        rateSum += rate;
        byteSum += s.bytes / result.measuredSeconds;
        skipped += s.skipped;
        bad += s.badFrames;
        connected += s.connected ? 1 : 0;
        std::string problem = s.failed ? s.failure : "";
        if (problem.empty() && s.badFrames) problem = std::to_string(s.badFrames) + " malformed frames";
        if (problem.empty() && rate < leastAllowed) problem = "only " + std::to_string(rate) + " passes a second";
        if (!problem.empty() && ++failures <= 5) std::fprintf(stderr, "ocre-spectators: spectator %zu: %s\n", i + 1, problem.c_str());
    }
    if (failures > 5) std::fprintf(stderr, "ocre-spectators: ... %d spectators failed in all\n", failures);
    const size_t n = std::max<size_t>(result.spectators.size(), 1);
    if (result.spectators.empty()) least = 0;
    std::printf("%u of %u spectators connected for %.1f s: passes/s min %.1f mean %.1f max %.1f, bytes/s %.0f, "
                "skipped %llu, malformed %llu, relay passes/s %.1f, relay count most %lld at end %lld, "
                "stalled closed %u of %u\n",
                connected, options.spectators, result.measuredSeconds, least, rateSum / n, most, byteSum / n,
                static_cast<unsigned long long>(skipped), static_cast<unsigned long long>(bad), relayPace,
                static_cast<long long>(result.relayCountMost), static_cast<long long>(result.relayCountLast),
                result.stalledClosed, result.stalledConnected);
    const bool stalledKept = result.stalledClosed < result.stalledConnected;
    if (stalledKept) std::fprintf(stderr, "ocre-spectators: the relay kept %u stalled spectators\n",
                                  result.stalledConnected - result.stalledClosed);
    return failures || stalledKept ? kExitFailure : kExitOk;
}
