// How well the main loop keeps its 25 ms grid and what the wait costs in
// processor time: runs the real loop and timer for a number of seconds with
// an empty turn and prints one line,
//   turns=N late_p50_us=.. late_p99_us=.. late_max_us=.. late_ticks=.. cpu_percent=..
// where a turn's lateness is how long after the previous turn's start plus
// 25 ms it started, and late_ticks counts the tick-counter milliseconds by
// which turns started after their target (what lowers the statistics
// line's rate below 40). Run by hand or from scripts/bench.sh: ./turn_pace_probe [SECONDS]
#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/FrameTimer.h"
#include "app/MainLoop.h"

namespace {

using Clock = std::chrono::steady_clock;

class RecordedTurns : public ocre::TurnSteps {
public:
    explicit RecordedTurns(size_t turns) {
        starts.reserve(turns);
        ticks.reserve(turns);
    }
    void scenePass() override {
        starts.push_back(Clock::now());
        ticks.push_back(SDL_GetTicks());
    }
    void serveRequests() override {}
    bool escapeHeld() override { return starts.size() == starts.capacity(); }
    std::vector<Clock::time_point> starts;
    std::vector<uint32_t> ticks;
};

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    if (seconds <= 0 || SDL_Init(SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "usage: turn_pace_probe [SECONDS]\n");
        return 2;
    }
    RecordedTurns turns(static_cast<size_t>(seconds) * 1000 / ocre::kTurnMilliseconds);
    ocre::FrameTimer timer;
    const double cpuBefore = processorSeconds();
    const Clock::time_point wallBefore = Clock::now();
    ocre::runMainLoop(timer, turns);
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    const double cpu = processorSeconds() - cpuBefore;

    std::vector<long> lateness;
    uint32_t lateTicks = 0;
    for (size_t i = 1; i < turns.starts.size(); ++i) {
        lateTicks += turns.ticks[i] - turns.ticks[i - 1] - ocre::kTurnMilliseconds;
        const auto gap = std::chrono::duration_cast<std::chrono::microseconds>(turns.starts[i] - turns.starts[i - 1]);
        lateness.push_back(static_cast<long>(gap.count()) - static_cast<long>(ocre::kTurnMilliseconds) * 1000);
    }
    std::sort(lateness.begin(), lateness.end());
    auto quantile = [&](double q) { return lateness[static_cast<size_t>(q * static_cast<double>(lateness.size() - 1))]; };
    std::printf("turns=%zu late_p50_us=%ld late_p99_us=%ld late_max_us=%ld late_ticks=%u cpu_percent=%.1f\n",
                turns.starts.size(), quantile(0.5), quantile(0.99), lateness.back(), lateTicks, 100.0 * cpu / wall);
    SDL_Quit();
    return 0;
}
