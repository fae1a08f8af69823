#include "app/Server.h"

#include <SDL.h>

#include <cstdio>
#include <memory>

#include "app/FrameTimer.h"
#include "app/MainLoop.h"
#include "app/Statistics.h"
#include "app/StopSignal.h"
#include "data/DatStructure.h"
#include "data/DataSetFiles.h"
#include "data/Map.h"
#include "data/Path.h"
#include "dialogue/DialogueBox.h"
#include "dialogue/Font.h"
#include "gfx/DisplaySDL.h"
#include "net/Net2Service.h"
#include "protocol/ClientTable.h"
#include "protocol/ClientView.h"
#include "protocol/CommandReader.h"
#include "protocol/DatagramInbox.h"
#include "protocol/ProtocolTexts.h"
#include "protocol/ViewFactory.h"
#include "world/AnimationIndex.h"
#include "world/BehaviourWalker.h"
#include "world/DialogueActor.h"
#include "world/JumpBehaviour.h"
#include "world/KeyboardController.h"
#include "world/MouseController.h"
#include "world/MouseSteeredActor.h"
#include "world/NetworkController.h"
#include "world/NetworkSteeredActor.h"
#include "world/PointerActor.h"
#include "world/Scene.h"

namespace ocre {

namespace {

constexpr const char* kDefaultClientHost = "localhost";
constexpr const char* kClientLine = "client: %s\n";
constexpr const char* kBanner = "***************SERVEUR ZEL*****************\n";
constexpr uint32_t kTimerInitValue = 3000;
constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;
constexpr int32_t kScreenDepth = 32;

constexpr uint16_t kStartupViewPort = 666;

constexpr int32_t kPeriod = 1;
constexpr int32_t kPointerDepth = 200;
constexpr int32_t kHeroSpeed = 16;
constexpr int32_t kTalkAnimation = 4;

const char* echoCommandLine(int argc, char** argv) {
    if (argc <= 1) {
        std::printf(kClientLine, kDefaultClientHost);
        return kDefaultClientHost;
    }
    for (int i = 1; i < argc; ++i) std::printf(kClientLine, argv[i]);
    return argv[argc - 1];
}

std::unique_ptr<DatStructure> loadFrames(const char* fileName) {
    auto frames = std::make_unique<DatStructure>();
    frames->load(fileName);
    return frames;
}

class ServerTurn : public TurnSteps {
public:
    ServerTurn(Scene& scene, protocol::ClientTable& clients, Controller& escapeKeys)
        : scene_(scene), clients_(clients), escapeKeys_(escapeKeys) {}
    void scenePass() override { scene_.scenePass(); }
    void serveRequests() override { clients_.serveRequests(); }
    bool escapeHeld() override { return escapeKeys_.escape() != 0; }

private:
    Scene& scene_;
    protocol::ClientTable& clients_;
    Controller& escapeKeys_;
};

}  // namespace

int runServer(int argc, char** argv) {
    const char* clientHost = echoCommandLine(argc, argv);

    auto timer = std::make_unique<FrameTimer>();
    timer->init(kTimerInitValue);

    auto display = std::make_unique<DisplaySDL>(kScreenWidth, kScreenHeight, kScreenDepth);
    installStopSignalHandlers();

    auto network = std::make_unique<Net2Service>();

    display->open();

    auto font = std::make_unique<Font>(dataset::kFontFile);
    auto dialogueBox = std::make_unique<DialogueBox>(dataset::kDialogueFile);

    auto map = std::make_unique<Map>(dataset::kTileFile, display.get());
    map->load(dataset::kMapFile);

    Scene scene(static_cast<uint32_t>(display->width()), static_cast<uint32_t>(display->height()), map.get(),
                display.get());
    setCurrentScene(&scene);

    auto heroFrames = loadFrames(dataset::kHeroDatFile);
    auto talkerFrames = loadFrames(dataset::kHeroDatFile);
    auto sheepFrames = loadFrames(dataset::kSheepDatFile);
    auto pointerFrames = loadFrames(dataset::kPointerDatFile);
    auto dragonFrames = loadFrames(dataset::kDragonDatFile);

    // Both readers of the listening socket share one inbox, so that neither
    // loses what belongs to the other.
    protocol::DatagramInbox inbox(*network);
    protocol::ClientTable clients(*network, inbox, std::make_unique<protocol::ViewFactory>(scene, *network),
                                  protocol::kGreeting);

    auto k1 = std::make_unique<KeyboardController>(SDLK_UP, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT, 'v', ' ', 'n',
                                                   SDLK_ESCAPE);
    auto k2 = std::make_unique<KeyboardController>('w', 'x', 'd', 'a', 'i', 'o', 'p', SDLK_ESCAPE);

    protocol::CommandReader commandReader(inbox);
    auto networkController = std::make_unique<NetworkController>(protocol::kServerPort, protocol::kSteeringClientNumber,
                                                                 network.get(), &commandReader);

    auto startupView = std::make_unique<protocol::ClientView>(protocol::kStartupViewClientNumber,
                                                              protocol::kStartupViewWidth,
                                                              protocol::kStartupViewHeight, scene, *network,
                                                              clientHost, kStartupViewPort);

    Actor* followedActor = nullptr;
    auto mouseController = std::make_unique<MouseController>(&followedActor, startupView.get());

    auto hero = std::make_unique<MouseSteeredActor>(kPeriod, *heroFrames, 320, 100, 0, mouseController.get(),
                                                    std::make_unique<Path>(dataset::kSheepPathFile));
    hero->setSpeed(kHeroSpeed);
    hero->setAnimation(kStandDown);
    followedActor = hero.get();
    startupView->setFollowedActor(hero.get());
    scene.addActor(std::move(hero));

    auto talker = std::make_unique<DialogueActor>(kPeriod, *talkerFrames, 640, 400, 0, dialogueBox.get(),
                                                  mouseController.get(), font.get(), kTalkAnimation);
    talker->setAnimation(kStandDown);
    scene.addActor(std::move(talker));

    auto jumper = std::make_unique<BehaviourWalker>(kPeriod, *sheepFrames, 30, 100, 0, k2.get(),
                                                    std::make_unique<JumpBehaviour>(30, 100, 0, 15.0f, -15.0f, 0.0f,
                                                                                    9.0f, 0.1f));
    jumper->setAnimation(kWalkRight);
    scene.addActor(std::move(jumper));

    auto dragon = std::make_unique<NetworkSteeredActor>(kPeriod, *dragonFrames, 50, 50, 3, networkController.get());
    dragon->setAnimation(kStandDown);
    scene.addActor(std::move(dragon));

    auto pointer = std::make_unique<PointerActor>(kPeriod, *pointerFrames, 160, 100, 10, mouseController.get(),
                                                  startupView.get());
    pointer->depth = kPointerDepth;
    pointer->setAnimation(kWalkUp);
    Actor* pointerActor = pointer.get();
    scene.addActor(std::move(pointer));

    auto sheep = std::make_unique<BehaviourWalker>(kPeriod, *sheepFrames, 60, 100, 0, k2.get(),
                                                   std::make_unique<Path>(dataset::kSheepPathFile));
    sheep->setAnimation(kWalkRight);
    scene.addActor(std::move(sheep));

    const uint32_t start = SDL_GetTicks();
    scene.moveActorToPrivateList(pointerActor, protocol::kStartupViewClientNumber);

    std::fputs(kBanner, stdout);
    std::fflush(stdout);
    ServerTurn turn(scene, clients, *k1);
    const uint32_t turns = runMainLoop(*timer, turn);

    const uint32_t elapsed = SDL_GetTicks() - start;
    printStatistics(stdout, elapsed, turns);
    std::fflush(stdout);

    // The release order is fixed: the network thread stops before SDL goes
    // down with the display, and the client records and private lists go
    // only once nothing can deliver to them. What is not released here
    // lasts until the process ends.
    display->nop();
    map.reset();
    k1.reset();
    k2.reset();
    network.reset();
    display.reset();
    timer.reset();
    clients.releaseRecords();
    scene.releasePrivateLists();
    font.reset();
    setCurrentScene(nullptr);
    return 0;
}

}  // namespace ocre
