#include "net/FastEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace ocre {
namespace {

constexpr int kFillerCode = 100;
constexpr int kLateCode = 101;

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

int takeBehindItsBack(SDL_Event* event) { return SDL_PeepEvents(event, 1, SDL_GETEVENT, SDL_ALLEVENTS); }

// fe_poll signals a waiting pusher; room made by SDL's own consumers signals
// nobody, and only the periodic tick wakes it.
TEST_F(FastEventTest, PushIntoAFullQueueReturnsOnlyAfterRoomIsMade) {
    SDL_Event event{};
    event.user = {SDL_USEREVENT, kFillerCode, nullptr, nullptr};
    int capacity = 0;
    while (SDL_PushEvent(&event) == 0) ++capacity;
    for (int (*makeRoom)(SDL_Event*) : {fe_poll, takeBehindItsBack}) {
        SCOPED_TRACE(makeRoom == fe_poll ? "fe_poll" : "SDL_PeepEvents");
        std::atomic<int> result{0};
        std::thread pusher([&result] {
            SDL_Event late{};
            late.user = {SDL_USEREVENT, kLateCode, nullptr, nullptr};
            result = fe_push(&late);
        });
        SDL_Delay(100);
        EXPECT_EQ(result, 0) << "the push did not wait for room";
        EXPECT_EQ(makeRoom(&event), 1);
        const Uint32 end = SDL_GetTicks() + 2000;
        while (result == 0 && static_cast<Sint32>(end - SDL_GetTicks()) > 0) SDL_Delay(1);
        EXPECT_EQ(result, 1);
        while (result == 0) fe_poll(&event);  // a pusher that missed its wake-up must not hang the test
        pusher.join();
    }
    int queued = 0;
    SDL_Event last{};
    for (; fe_poll(&event) > 0; ++queued) last = event;
    EXPECT_EQ(std::make_pair(queued, last.user.code), std::make_pair(capacity, kLateCode));
}

}  // namespace
}  // namespace ocre
