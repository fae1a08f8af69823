#include "app/Server.h"

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <vector>

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
#include "gfx/ScreenSize.h"
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

// Every actor is updated at every turn.
constexpr int32_t kPeriod = 1;

// The two keyboards. The operator's escape ends the main loop; the walkers'
// keys go to the two behaviour walkers, whose routines never read them.
struct Keys {
    int32_t up, down, left, right, jump, fire1, fire2, escape;
};
constexpr Keys kOperatorKeys{SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, 'v', ' ', 'n', SDLK_ESCAPE};
constexpr Keys kWalkerKeys{'w', 'x', 'a', 'd', 'i', 'o', 'p', SDLK_ESCAPE};

// The animation lists, loaded in this order; the talker has a copy of the
// hero's list of its own.
enum class Frames { Hero, Talker, Sheep, Pointer, Dragon, Count };
constexpr const char* kFrameFiles[] = {dataset::kHeroDatFile, dataset::kHeroDatFile, dataset::kSheepDatFile,
                                       dataset::kPointerDatFile, dataset::kDragonDatFile};
static_assert(sizeof kFrameFiles / sizeof kFrameFiles[0] == static_cast<size_t>(Frames::Count),
              "one file per animation list");
using AnimationLists = std::vector<std::unique_ptr<DatStructure>>;

// The cast, built and added to the scene in this order (which, with the
// depths, gives the order of the shared list the clients are sent).
enum class Role {
    Hero,          // the operator's actor, steered by the mouse, starting on the patrol path
    Talker,        // paces, and talks when clicked
    JumpingSheep,  // jumps once along a parabola
    Dragon,        // steered by the remote client's commands
    Pointer,       // the mouse pointer in the world
    PathSheep,     // walks the patrol path
};
struct CastMember {
    Role role;
    Frames frames;
    uint32_t x, y, tag;
    uint32_t animation;
};
constexpr CastMember kCast[] = {
    {Role::Hero, Frames::Hero, 320, 100, 0, kStandDown},
    {Role::Talker, Frames::Talker, 640, 400, 0, kStandDown},
    {Role::JumpingSheep, Frames::Sheep, 30, 100, 0, kWalkRight},
    {Role::Dragon, Frames::Dragon, 50, 50, 3, kStandDown},
    {Role::Pointer, Frames::Pointer, 160, 100, 10, kWalkUp},
    {Role::PathSheep, Frames::Sheep, 60, 100, 0, kWalkRight},
};

constexpr int32_t kHeroSpeed = 16;
constexpr int32_t kTalkAnimation = 4;
// Drawn over every other actor.
constexpr int32_t kPointerDepth = 200;
// The jump starts at the sheep's own position, at height 0.
struct Jump {
    float velocityX, velocityY, velocityZ, gravity, timeStep;
};
constexpr Jump kSheepJump{15.0f, -15.0f, 0.0f, 9.0f, 0.1f};

// What the cast is built with.
struct Stage {
    Scene& scene;
    const AnimationLists& frames;
    DialogueBox& dialogueBox;
    const Font& font;
    MouseController& mouse;
    Controller& walkerKeys;
    NetworkController& networkController;
    protocol::ClientView& startupView;
    Actor*& followedActor;
};

const char* echoCommandLine(int argc, char** argv) {
    if (argc <= 1) {
        std::printf(kClientLine, kDefaultClientHost);
        return kDefaultClientHost;
    }
    for (int i = 1; i < argc; ++i) std::printf(kClientLine, argv[i]);
    return argv[argc - 1];
}

AnimationLists loadAnimationLists() {
    AnimationLists lists;
    for (const char* file : kFrameFiles) {
        lists.push_back(std::make_unique<DatStructure>());
        lists.back()->load(file);
    }
    return lists;
}

std::unique_ptr<Map> loadMap(Display& display) {
    auto map = std::make_unique<Map>(dataset::kTileFile, &display);
    map->load(dataset::kMapFile);
    return map;
}

std::unique_ptr<KeyboardController> keyboard(const Keys& keys) {
    return std::make_unique<KeyboardController>(keys.up, keys.down, keys.right, keys.left, keys.jump, keys.fire1,
                                                keys.fire2, keys.escape);
}

// The actor of a cast member, in its first animation.
std::unique_ptr<Actor> castActor(const CastMember& member, Stage& stage) {
    const DatStructure& frames = *stage.frames[static_cast<size_t>(member.frames)];
    const auto animated = [&member](std::unique_ptr<Actor> actor) {
        actor->setAnimation(member.animation);
        return actor;
    };
    switch (member.role) {
        case Role::Hero: {
            auto hero = std::make_unique<MouseSteeredActor>(kPeriod, frames, member.x, member.y, member.tag,
                                                            &stage.mouse,
                                                            std::make_unique<Path>(dataset::kSheepPathFile));
            hero->setSpeed(kHeroSpeed);
            hero->setAnimation(member.animation);
            // The start-up view follows the hero, and the mouse controller
            // reads clicks relative to it.
            stage.followedActor = hero.get();
            stage.startupView.setFollowedActor(hero.get());
            return hero;
        }
        case Role::Talker:
            return animated(std::make_unique<DialogueActor>(kPeriod, frames, member.x, member.y, member.tag,
                                                            &stage.dialogueBox, &stage.mouse, &stage.font,
                                                            kTalkAnimation));
        case Role::JumpingSheep:
            return animated(std::make_unique<BehaviourWalker>(
                kPeriod, frames, member.x, member.y, member.tag, &stage.walkerKeys,
                std::make_unique<JumpBehaviour>(static_cast<int32_t>(member.x), static_cast<int32_t>(member.y), 0,
                                                kSheepJump.velocityX, kSheepJump.velocityY, kSheepJump.velocityZ,
                                                kSheepJump.gravity, kSheepJump.timeStep)));
        case Role::Dragon:
            return animated(std::make_unique<NetworkSteeredActor>(kPeriod, frames, member.x, member.y, member.tag,
                                                                  &stage.networkController));
        case Role::Pointer: {
            auto pointer = std::make_unique<PointerActor>(kPeriod, frames, member.x, member.y, member.tag,
                                                          &stage.mouse, &stage.startupView);
            pointer->depth = kPointerDepth;
            return animated(std::move(pointer));
        }
        case Role::PathSheep:
            return animated(std::make_unique<BehaviourWalker>(kPeriod, frames, member.x, member.y, member.tag,
                                                              &stage.walkerKeys,
                                                              std::make_unique<Path>(dataset::kSheepPathFile)));
    }
    return nullptr;
}

// Each actor joins the scene as soon as it is built. All of them stay in
// the shared list: every client sees every actor.
void populate(Stage& stage) {
    for (const CastMember& member : kCast) stage.scene.addActor(castActor(member, stage));
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

    // SDL, the event queue and the network come up before the window opens.
    auto timer = std::make_unique<FrameTimer>();
    auto display = std::make_unique<DisplaySDL>(kScreenWidth, kScreenHeight, kScreenDepth);
    installStopSignalHandlers();
    auto network = std::make_unique<Net2Service>();
    display->open();

    auto font = std::make_unique<Font>(dataset::kFontFile);
    auto dialogueBox = std::make_unique<DialogueBox>(dataset::kDialogueFile);
    auto map = loadMap(*display);
    Scene scene(static_cast<uint32_t>(display->width()), static_cast<uint32_t>(display->height()), map.get(),
                display.get());
    setCurrentScene(&scene);
    const AnimationLists frames = loadAnimationLists();

    // Both readers of the listening socket share one inbox, so that neither
    // loses what belongs to the other.
    protocol::DatagramInbox inbox(*network);
    protocol::ClientTable clients(*network, inbox, std::make_unique<protocol::ViewFactory>(scene, *network),
                                  protocol::kGreeting);
    auto operatorKeys = keyboard(kOperatorKeys);
    auto walkerKeys = keyboard(kWalkerKeys);
    protocol::CommandReader commandReader(inbox);
    auto networkController = std::make_unique<NetworkController>(protocol::kServerPort, protocol::kSteeringClientNumber,
                                                                 network.get(), &commandReader);
    // Never registered in the scene, so it sends nothing: the pointer and
    // the mouse controller only use its camera.
    auto startupView = std::make_unique<protocol::ClientView>(
        protocol::kStartupViewClientNumber, protocol::kStartupViewWidth, protocol::kStartupViewHeight, scene, *network,
        clientHost, protocol::kStartupViewPort);
    Actor* followedActor = nullptr;
    auto mouseController = std::make_unique<MouseController>(&followedActor, startupView.get());

    Stage stage{scene,       frames, *dialogueBox, *font, *mouseController, *walkerKeys, *networkController,
                *startupView, followedActor};
    populate(stage);

    const uint32_t start = SDL_GetTicks();
    std::fputs(kBanner, stdout);
    std::fflush(stdout);
    ServerTurn turn(scene, clients, *operatorKeys);
    const uint32_t turns = runMainLoop(*timer, turn);

    const uint32_t elapsed = SDL_GetTicks() - start;
    printStatistics(stdout, elapsed, turns);
    std::fflush(stdout);

    // The release order is fixed: the network thread stops before SDL goes
    // down with the display, and the client records and private lists go
    // only once nothing can deliver to them. What is not released here
    // lasts until the process ends.
    map.reset();
    operatorKeys.reset();
    walkerKeys.reset();
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
