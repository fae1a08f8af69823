// Speed of the transport's two hot paths: an event through the fast event
// queue, and a datagram from the send socket through the network thread to
// a reader. Run by hand: ./net_bench
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <SDL_net.h>

#include <cstdlib>

#include "net/FastEvent.h"
#include "net/Net2.h"

namespace {

constexpr Uint16 kBenchPort = 47531;
constexpr int kPacketSize = 100;

void pushAndPoll(benchmark::State& state) {
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    for (auto _ : state) {
        ocre::fe_push(&event);
        SDL_Event taken;
        benchmark::DoNotOptimize(ocre::fe_poll(&taken));
    }
}
BENCHMARK(pushAndPoll);

// Opened once: a closed socket is only let go by the network thread later,
// and the benchmark body runs several times.
int receivingSocket = -1;

// Send, then spin on the read until the network thread has queued it: the
// time a 100-byte message takes from one socket of the manager to another.
void datagramRoundTrip(benchmark::State& state) {
    const int socket = receivingSocket;
    if (socket < 0) {
        state.SkipWithError(ocre::net2_last_error());
        return;
    }
    IPaddress to;
    ocre::net2_resolve(&to, "127.0.0.1", kBenchPort);
    char message[kPacketSize] = "sprite 1 2 3";
    for (auto _ : state) {
        ocre::net2_send_udp(&to, message, kPacketSize);
        UDPpacket* packet = nullptr;
        while ((packet = ocre::net2_read_udp(socket)) == nullptr) {
        }
        ocre::net2_free_packet(packet);
        // Each datagram announces itself; an unread queue would fill and
        // stop the network thread.
        SDL_Event notice;
        while (ocre::fe_poll(&notice) > 0) {
        }
    }
}
BENCHMARK(datagramRoundTrip)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0 || SDLNet_Init() != 0 || ocre::fe_start() != 0 ||
        ocre::net2_start() != 0) {
        return 1;
    }
    receivingSocket = ocre::net2_open_udp(kBenchPort, kPacketSize);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    ocre::net2_stop();
    ocre::fe_stop();
    SDLNet_Quit();
    SDL_Quit();
    return 0;
}
