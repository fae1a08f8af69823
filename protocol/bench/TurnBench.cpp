// The cost of one scene pass at scale: N actors in the shared list and V
// registered client views sending to 127.0.0.1, against a bare loop that
// sends the same V x (N + 1) datagrams of 100 bytes through the same
// network service with no game work. Run by hand (./turn_bench) or from
// scripts/bench.sh, which prints pass / bare for each size.
#include <SDL.h>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "net/Net2Service.h"
#include "protocol/ClientView.h"
#include "protocol/ProtocolTexts.h"
#include "world/Actor.h"
#include "world/Scene.h"

namespace ocre {
namespace {

constexpr uint16_t kSinkPort = 47532;
constexpr uint32_t kAnimations = 8;
constexpr int32_t kPeriod = 1;

NetworkService* service = nullptr;

// The clients' end: bound so that the datagrams are delivered (and, once
// its queue is full, dropped) rather than answered with port-unreachable.
int openSink() {
    const int sink = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kSinkPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (sink < 0 || bind(sink, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return -1;
    return sink;
}

// Actors spread over the map's depths and animations, as a busy world has
// them: the depth order and the animation search see a mix.
struct World {
    World(int actors, int views) : scene(protocol::kClientViewWidth, protocol::kClientViewHeight, nullptr, nullptr) {
        frames.records.resize(kAnimations);
        frames.count = kAnimations;
        for (int i = 0; i < actors; ++i) {
            auto actor = std::make_unique<Actor>(kPeriod, frames, 37u * i % 2048, 53u * i % 1536, 0);
            actor->depth = static_cast<int32_t>(53u * i % 1536);
            actor->setAnimation(static_cast<uint32_t>(i) % kAnimations);
            scene.addActor(std::move(actor));
        }
        for (int v = 0; v < views; ++v) {
            clientViews.push_back(std::make_unique<protocol::ClientView>(
                v, protocol::kClientViewWidth, protocol::kClientViewHeight, scene, *service, "127.0.0.1", kSinkPort));
            scene.registerView(clientViews.back().get());
        }
    }
    DatStructure frames;
    Scene scene;
    std::vector<std::unique_ptr<protocol::ClientView>> clientViews;
};

void BM_ScenePass(benchmark::State& state) {
    World world(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) world.scene.scenePass();
    state.SetItemsProcessed(state.iterations() * state.range(1) * (state.range(0) + 1));
}

void BM_BareSends(benchmark::State& state) {
    const int64_t perView = state.range(0) + 1;
    const int64_t views = state.range(1);
    IPaddress to{};
    service->resolve_host(&to, "127.0.0.1", kSinkPort);
    char datagram[protocol::kDatagramSize] = "from SERVEUR to CLIENT 0 sprite (0,0,0,0)";
    for (auto _ : state) {
        for (int64_t v = 0; v < views; ++v)
            for (int64_t i = 0; i < perView; ++i)
                service->send_udp(&to, datagram, static_cast<int>(protocol::kDatagramSize));
    }
    state.SetItemsProcessed(state.iterations() * views * perView);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"actors", "views"});
    for (int views : {1, 5})
        for (int actors : {6, 100, 1000}) b->Args({actors, views});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_ScenePass)->Apply(sizes);
BENCHMARK(BM_BareSends)->Apply(sizes);

}  // namespace
}  // namespace ocre

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return 1;
    const int sink = ocre::openSink();
    if (sink < 0) return 1;
    auto net = std::make_unique<ocre::Net2Service>();
    ocre::service = net.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    net.reset();
    close(sink);
    SDL_Quit();
    return 0;
}
