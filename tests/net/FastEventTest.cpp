#include "net/FastEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace ocre {
namespace {

constexpr int kFillerCode = 100;
constexpr int kLateCode = 101;
constexpr int kDeadlineMs = 2000;

class FastEventTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0);
        ASSERT_EQ(fe_start(), 0) << fe_last_error();
    }
    void TearDown() override {
        fe_stop();
        SDL_Quit();
    }
};

SDL_Event userEvent(int code, intptr_t sequence = 0) {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    event.user.code = code;
    event.user.data1 = reinterpret_cast<void*>(sequence);
    return event;
}

// Fills SDL's queue behind fe_push's back; returns how many it took.
int fillQueue() {
    int pushed = 0;
    SDL_Event filler = userEvent(kFillerCode);
    while (SDL_PushEvent(&filler) == 0) ++pushed;
    return pushed;
}

bool becomesTrue(const std::atomic<bool>& flag, int timeoutMs) {
    const Uint32 end = SDL_GetTicks() + static_cast<Uint32>(timeoutMs);
    while (!flag && static_cast<Sint32>(end - SDL_GetTicks()) > 0) SDL_Delay(1);
    return flag;
}

std::vector<SDL_Event> drain() {
    std::vector<SDL_Event> events;
    SDL_Event event;
    while (fe_poll(&event) > 0) events.push_back(event);
    return events;
}

TEST_F(FastEventTest, EventsComeOutAsPushedAndAnEmptyQueueGivesZero) {
    SDL_Event pushed = userEvent(7, 42);
    EXPECT_EQ(fe_push(&pushed), 1);
    SDL_Event taken{};
    ASSERT_EQ(fe_poll(&taken), 1);
    EXPECT_EQ(taken.type, SDL_USEREVENT);
    EXPECT_EQ(taken.user.code, 7);
    EXPECT_EQ(taken.user.data1, reinterpret_cast<void*>(42));
    EXPECT_EQ(fe_poll(&taken), 0);
}

TEST_F(FastEventTest, PushIntoAFullQueueReturnsOnlyAfterAPollMakesRoom) {
    const int capacity = fillQueue();
    ASSERT_GT(capacity, 0);
    std::atomic<bool> returned{false};
    std::atomic<int> result{0};
    std::thread pusher([&] {
        SDL_Event late = userEvent(kLateCode);
        result = fe_push(&late);
        returned = true;
    });
    SDL_Delay(100);
    EXPECT_FALSE(returned) << "the push did not wait for room";
    SDL_Event taken;
    ASSERT_EQ(fe_poll(&taken), 1);
    EXPECT_TRUE(becomesTrue(returned, kDeadlineMs));
    if (!returned) drain();
    pusher.join();
    EXPECT_EQ(result, 1);
    const std::vector<SDL_Event> rest = drain();
    ASSERT_EQ(static_cast<int>(rest.size()), capacity);
    EXPECT_EQ(rest.back().user.code, kLateCode);
}

// Room made without fe_poll (SDL's own consumers) signals nobody: only the
// periodic tick can wake the pusher.
TEST_F(FastEventTest, TheTickWakesAPusherWhenRoomIsMadeBehindItsBack) {
    fillQueue();
    std::atomic<bool> returned{false};
    std::thread pusher([&] {
        SDL_Event late = userEvent(kLateCode);
        fe_push(&late);
        returned = true;
    });
    SDL_Delay(50);
    SDL_Event taken;
    ASSERT_EQ(SDL_PeepEvents(&taken, 1, SDL_GETEVENT, SDL_ALLEVENTS), 1);
    EXPECT_TRUE(becomesTrue(returned, kDeadlineMs));
    if (!returned) drain();
    pusher.join();
}

TEST_F(FastEventTest, ConcurrentPushersLoseNothingAndKeepTheirOrder) {
    constexpr int kPushers = 2;
    constexpr int kEach = 400;  // several times the queue's capacity
    std::atomic<int> finished{0};
    std::vector<std::thread> pushers;
    for (int p = 0; p < kPushers; ++p) {
        pushers.emplace_back([p, &finished] {
            for (int i = 0; i < kEach; ++i) {
                SDL_Event event = userEvent(p, i);
                fe_push(&event);
            }
            ++finished;
        });
    }
    std::vector<int> next(kPushers, 0);
    int received = 0;
    bool inOrder = true;
    const Uint32 end = SDL_GetTicks() + 10 * kDeadlineMs;
    while (received < kPushers * kEach && static_cast<Sint32>(end - SDL_GetTicks()) > 0) {
        SDL_Event event;
        if (fe_poll(&event) == 0) {
            SDL_Delay(1);
            continue;
        }
        if (event.type != SDL_USEREVENT) continue;
        const int p = event.user.code;
        if (p < 0 || p >= kPushers || reinterpret_cast<intptr_t>(event.user.data1) != next[p]) {
            inOrder = false;
            continue;
        }
        ++next[p];
        ++received;
    }
    while (finished < kPushers) {
        drain();
        SDL_Delay(1);
    }
    for (std::thread& pusher : pushers) pusher.join();
    EXPECT_EQ(received, kPushers * kEach);
    EXPECT_TRUE(inOrder);
}

TEST(FastEvent, StartBringsUpTheTimerSubsystemWhenItIsMissing) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_EQ(SDL_WasInit(SDL_INIT_TIMER), 0u);
    EXPECT_EQ(fe_start(), 0);
    EXPECT_NE(SDL_WasInit(SDL_INIT_TIMER), 0u);
    EXPECT_STREQ(fe_last_error(), "");
    fe_stop();
    SDL_Quit();
}

}  // namespace
}  // namespace ocre
