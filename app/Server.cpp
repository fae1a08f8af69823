#include "app/Server.h"

#include <SDL.h>

#include <cstdio>
#include <memory>

#include "app/FrameTimer.h"
#include "app/MainLoop.h"
#include "app/Statistics.h"
#include "app/StopSignal.h"
#include "gfx/DisplaySDL.h"

namespace ocre {

namespace {

constexpr const char* kDefaultClientHost = "localhost";
constexpr const char* kClientLine = "client: %s\n";
constexpr const char* kBanner = "***************SERVEUR ZEL*****************\n";
constexpr uint32_t kTimerInitValue = 3000;
constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;
constexpr int32_t kScreenDepth = 32;

const char* echoCommandLine(int argc, char** argv) {
    if (argc <= 1) {
        std::printf(kClientLine, kDefaultClientHost);
        return kDefaultClientHost;
    }
    for (int i = 1; i < argc; ++i) std::printf(kClientLine, argv[i]);
    return argv[argc - 1];
}

class IdleTurn : public TurnSteps {
public:
    void scenePass() override {}
    void serveRequests() override {}
    bool escapeHeld() override { return false; }
};

}  // namespace

int runServer(int argc, char** argv) {
    const char* clientHost = echoCommandLine(argc, argv);
    (void)clientHost;

    auto timer = std::make_unique<FrameTimer>();
    timer->init(kTimerInitValue);

    auto display = std::make_unique<DisplaySDL>(kScreenWidth, kScreenHeight, kScreenDepth);
    installStopSignalHandlers();

    display->open();

    IdleTurn turn;
    const uint32_t start = SDL_GetTicks();
    std::fputs(kBanner, stdout);
    std::fflush(stdout);
    const uint32_t turns = runMainLoop(*timer, turn);
    const uint32_t elapsed = SDL_GetTicks() - start;
    printStatistics(stdout, elapsed, turns);
    std::fflush(stdout);

    display->nop();
    display.reset();
    timer.reset();
    return 0;
}

}  // namespace ocre
