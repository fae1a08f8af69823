#include "net/FastEvent.h"

#include <atomic>

namespace ocre {

namespace {

constexpr Uint32 kWakeUpIntervalMs = 10;
constexpr Uint32 kTimerSubsystem = SDL_INIT_TIMER;
constexpr int kQueueFull = -1;
constexpr const char* kNoError = "";
constexpr const char* kCantCreateMutex = "FE: can't create a mutex";
constexpr const char* kCantCreateCondition = "FE: can't create a condition variable";
constexpr const char* kCantAddTimer = "FE: can't add a timer";

SDL_mutex* queueLock = nullptr;
SDL_cond* roomMade = nullptr;
SDL_TimerID wakeUpTimer = nullptr;
const char* lastError = nullptr;

// SDL 1.2 runs a timer callback outside its own lock, so removing the timer
// does not wait for a tick already under way. The tick therefore announces
// itself, and fe_stop only destroys the condition once no tick can touch it.
std::atomic<bool> tickMayBroadcast{false};
std::atomic<int> ticksUnderWay{0};

}  // namespace

int fe_start() {
    if (SDL_WasInit(kTimerSubsystem) == 0) SDL_InitSubSystem(kTimerSubsystem);
    queueLock = SDL_CreateMutex();
    if (queueLock == nullptr) {
        lastError = kCantCreateMutex;
        return -1;
    }
    roomMade = SDL_CreateCond();
    if (roomMade == nullptr) {
        lastError = kCantCreateCondition;
        return -1;
    }
    tickMayBroadcast = true;
    wakeUpTimer = SDL_AddTimer(kWakeUpIntervalMs, fe_tick, nullptr);
    if (wakeUpTimer == nullptr) {
        lastError = kCantAddTimer;
        return -1;
    }
    return 0;
}

int fe_push(SDL_Event* event) {
    SDL_mutexP(queueLock);
    while (SDL_PushEvent(event) == kQueueFull) SDL_CondWait(roomMade, queueLock);
    SDL_mutexV(queueLock);
    SDL_CondSignal(roomMade);
    return 1;
}

int fe_poll(SDL_Event* event) {
    SDL_mutexP(queueLock);
    const int taken = SDL_PollEvent(event);
    SDL_mutexV(queueLock);
    if (taken > 0) SDL_CondSignal(roomMade);
    return taken;
}

Uint32 fe_tick(Uint32 interval, void*) {
    ++ticksUnderWay;
    // Room can also be made by SDL's own pumping, which signals nobody:
    // waking every pusher each period bounds their wait.
    if (tickMayBroadcast) SDL_CondBroadcast(roomMade);
    --ticksUnderWay;
    return interval;
}

void fe_stop() {
    tickMayBroadcast = false;
    if (wakeUpTimer != nullptr) SDL_RemoveTimer(wakeUpTimer);
    wakeUpTimer = nullptr;
    while (ticksUnderWay != 0) SDL_Delay(1);
    if (queueLock != nullptr) SDL_DestroyMutex(queueLock);
    queueLock = nullptr;
    if (roomMade != nullptr) SDL_DestroyCond(roomMade);
    roomMade = nullptr;
}

const char* fe_last_error() { return lastError != nullptr ? lastError : kNoError; }

}  // namespace ocre
