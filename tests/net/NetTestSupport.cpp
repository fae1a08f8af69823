#include "tests/net/NetTestSupport.h"

#include <SDL_net.h>

#include <filesystem>
#include <iterator>

#include "net/FastEvent.h"
#include "net/Net2.h"

namespace ocre::test {

void TransportTest::SetUp() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0);
    ASSERT_EQ(SDLNet_Init(), 0);
    ASSERT_EQ(fe_start(), 0);
    ASSERT_EQ(net2_start(), 0) << net2_last_error();
}

void TransportTest::TearDown() {
    net2_stop();
    fe_stop();
    SDLNet_Quit();
    SDL_Quit();
}

bool waitForEvent(int code, int socket, int timeoutMs, SDL_Event* found) {
    const Uint32 end = SDL_GetTicks() + static_cast<Uint32>(timeoutMs);
    SDL_Event event;
    while (static_cast<Sint32>(end - SDL_GetTicks()) > 0) {
        if (fe_poll(&event) <= 0) {
            SDL_Delay(1);
        } else if (event.type == SDL_USEREVENT && net2_event_kind(&event) == code &&
                   (socket < 0 || net2_event_socket(&event) == socket)) {
            if (found != nullptr) *found = event;
            return true;
        }
    }
    return false;
}

int threadCount() {
    namespace fs = std::filesystem;
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

bool threadCountReaches(int count) {
    const Uint32 end = SDL_GetTicks() + kDeadlineMs;
    while (threadCount() != count && static_cast<Sint32>(end - SDL_GetTicks()) > 0) SDL_Delay(1);
    return threadCount() == count;
}

}  // namespace ocre::test
