#include <SDL.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "net/Net2Service.h"
#include "net/NetworkService.h"
#include "tests/support/TestFiles.h"
#include "tests/world/WorldTestSupport.h"
#include "world/Actor.h"
#include "world/CommandSource.h"
#include "world/KeyboardController.h"
#include "world/MouseController.h"
#include "world/NetworkController.h"
#include "world/Pointer.h"

namespace ocre {
namespace {

class PlainActor : public Actor {
public:
    using Actor::Actor;
};

// The steered actor stands at (200, 150) in the world; the view's camera is
// at (100, 50), so the actor shows at (100, 100) on the screen.
class MouseControllerTest : public test::WorldTest {
protected:
    void SetUp() override {
        test::WorldTest::SetUp();
        steered_ = std::make_unique<PlainActor>(1, frames_, 200, 150, 0);
        followed_ = steered_.get();
    }
    // Places the pointer at this offset from the actor, in world pixels.
    void pointAtOffset(int32_t dx, int32_t dy) { pinPointerForTesting(100 + dx, 100 + dy); }
    void holdRightButton() {
        pressButton(SDL_BUTTON_RIGHT, 0, 0);
        pollInput();
    }
    std::string directions(MouseController& mouse) {
        std::string held;
        if (mouse.up()) held += "U";
        if (mouse.down()) held += "D";
        if (mouse.left()) held += "L";
        if (mouse.right()) held += "R";
        return held;
    }

    DatStructure frames_ = test::makeFrames(1, 16, 16);
    std::unique_ptr<Actor> steered_;
    Actor* followed_ = nullptr;
    test::FixedView view_{100, 50};
};

TEST_F(MouseControllerTest, TheRightButtonSteersTowardThePointerTiesGoingVertical) {
    MouseController mouse(&followed_, &view_);
    pointAtOffset(40, 0);
    EXPECT_EQ(directions(mouse), "") << "no button held";
    holdRightButton();
    EXPECT_EQ(directions(mouse), "R");
    pointAtOffset(-40, 39);
    EXPECT_EQ(directions(mouse), "L");
    pointAtOffset(0, 0);
    EXPECT_EQ(directions(mouse), "U") << "on the actor";
    pointAtOffset(-10, 10);
    EXPECT_EQ(directions(mouse), "D") << "diagonal below";
    pointAtOffset(10, -10);
    EXPECT_EQ(directions(mouse), "U") << "diagonal above";
    releaseButton(SDL_BUTTON_RIGHT, 0, 0);
    pollInput();
    EXPECT_EQ(directions(mouse), "");
}

TEST_F(MouseControllerTest, TheSteeredActorIsReadAtEveryQuery) {
    Actor* none = nullptr;
    MouseController mouse(&none, &view_);
    holdRightButton();
    pointAtOffset(0, 50);
    EXPECT_EQ(directions(mouse), "") << "no actor yet";
    none = steered_.get();
    EXPECT_EQ(directions(mouse), "D");
}

TEST_F(MouseControllerTest, AShortLeftClickIsFire1ForTwoPassesAndADragIsNot) {
    MouseController mouse(&followed_, &view_);
    pressButton(SDL_BUTTON_LEFT, 100, 100);
    pollInput();
    pinPointerForTesting(105, 96);
    EXPECT_FALSE(mouse.fire1()) << "still held";
    releaseButton(SDL_BUTTON_LEFT, 105, 96);
    pollInput();
    EXPECT_TRUE(mouse.fire1());
    endFrameInput();
    pollInput();
    EXPECT_TRUE(mouse.fire1()) << "the pass after the release";
    endFrameInput();
    pollInput();
    EXPECT_FALSE(mouse.fire1());

    pressButton(SDL_BUTTON_LEFT, 100, 100);
    releaseButton(SDL_BUTTON_LEFT, 106, 100);
    pollInput();
    pinPointerForTesting(106, 100);
    EXPECT_FALSE(mouse.fire1()) << "six pixels away";
    pinPointerForTesting(95, 105);
    EXPECT_TRUE(mouse.fire1()) << "the pointer as it stands now decides";
}

TEST_F(MouseControllerTest, BothButtonsJumpAndStillSteerTheMiddleButtonIsFire2) {
    MouseController mouse(&followed_, &view_);
    pointAtOffset(30, 0);
    pressButton(SDL_BUTTON_LEFT, 0, 0);
    pollInput();
    EXPECT_FALSE(mouse.jump());
    holdRightButton();
    EXPECT_TRUE(mouse.jump());
    EXPECT_EQ(directions(mouse), "R");
    EXPECT_FALSE(mouse.fire2());
    pressButton(SDL_BUTTON_MIDDLE, 0, 0);
    pollInput();
    EXPECT_TRUE(mouse.fire2());
}

TEST_F(MouseControllerTest, EscapeIsTheEscapeKey) {
    MouseController mouse(&followed_, &view_);
    EXPECT_FALSE(mouse.escape());
    pressKey(SDLK_ESCAPE);
    pollInput();
    EXPECT_TRUE(mouse.escape());
}

TEST_F(MouseControllerTest, PositionsGoThroughTheViewsCamera) {
    MouseController mouse(&followed_, &view_);
    pinPointerForTesting(7, 9);
    EXPECT_EQ(mouse.pointerWorldX(), 107);
    EXPECT_EQ(mouse.pointerWorldY(), 59);
    // The actor's box covers world (200..215, 150..165): screen (100..115, 100..115).
    pressButton(SDL_BUTTON_LEFT, 115, 100);
    pollInput();
    EXPECT_TRUE(mouse.pressHits(*steered_));
    pressButton(SDL_BUTTON_LEFT, 116, 100);
    pollInput();
    EXPECT_FALSE(mouse.pressHits(*steered_));
}

TEST_F(MouseControllerTest, BuildingAControllerForgetsHeldButtonsAndQueuedEvents) {
    pressButton(SDL_BUTTON_RIGHT, 0, 0);
    pollInput();
    pressButton(SDL_BUTTON_MIDDLE, 0, 0);
    MouseController mouse(&followed_, &view_);
    pollInput();
    EXPECT_FALSE(mouse.fire2());
    EXPECT_EQ(directions(mouse), "");
}

using KeyboardControllerTest = test::WorldTest;

TEST_F(KeyboardControllerTest, RightComesBeforeLeftAmongTheArguments) {
    KeyboardController keys(SDLK_UP, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT, 'v', ' ', 'n', SDLK_ESCAPE);
    pressKey(SDLK_LEFT);
    pollInput();
    EXPECT_TRUE(keys.left());
    EXPECT_FALSE(keys.right());
    pressKey(SDLK_RIGHT);
    pressKey('n');
    pollInput();
    EXPECT_TRUE(keys.right());
    EXPECT_TRUE(keys.fire2());
    EXPECT_FALSE(keys.up());
    EXPECT_FALSE(keys.down());
    EXPECT_FALSE(keys.jump());
    EXPECT_FALSE(keys.fire1());
    EXPECT_FALSE(keys.escape());
}

TEST_F(KeyboardControllerTest, AKeyHeldWhileBuildingReadsReleased) {
    pressKey('w');
    pollInput();
    pressKey('x');
    KeyboardController keys('w', 'x', 'd', 'a', 'i', 'o', 'p', SDLK_ESCAPE);
    pollInput();
    EXPECT_FALSE(keys.up());
    EXPECT_FALSE(keys.down()) << "its key-down event was discarded";
    pressKey('w');
    pollInput();
    EXPECT_TRUE(keys.up());
}

// Every network operation but opening a UDP socket is unused here.
class FakeService : public NetworkService {
public:
    explicit FakeService(int openResult) : openResult_(openResult) {}
    std::vector<std::pair<Uint16, int>> opened;

    int resolve_host(IPaddress*, const char*, Uint16) override { return -1; }
    int listen_tcp(Uint16) override { return -1; }
    int listen_tcp_at(IPaddress*) override { return -1; }
    int connect_tcp(const char*, Uint16) override { return -1; }
    int connect_tcp_at(IPaddress*) override { return -1; }
    void close_tcp(int) override {}
    int send_tcp(int, const void*, int) override { return -1; }
    int read_tcp(int, void*, int) override { return 0; }
    IPaddress* tcp_peer_address(int) override { return nullptr; }
    int open_udp(Uint16 port, int packetSize) override {
        opened.emplace_back(port, packetSize);
        return openResult_;
    }
    void close_udp(int) override {}
    int send_udp(IPaddress*, const void*, int) override { return -1; }
    UDPpacket* read_udp(int) override { return nullptr; }
    void free_packet(UDPpacket*) override {}
    const char* lastError() const override { return ""; }

private:
    int openResult_;
};

// On its first read raises the commands it was given, as a batch of
// datagrams would; later reads find nothing new.
class FakeCommands : public CommandSource {
public:
    std::vector<Command> pending;
    std::vector<uint32_t> reads;
    void readCommands(uint32_t clientNumber) override {
        reads.push_back(clientNumber);
        for (Command command : pending) raiseCommandFlag(command);
        pending.clear();
    }
};

using NetworkControllerTest = test::WorldTest;

TEST_F(NetworkControllerTest, OpensItsPortForCommandDatagrams) {
    FakeService service(3);
    NetworkController controller(5550, 1111, &service, nullptr);
    ASSERT_EQ(service.opened.size(), 1u);
    EXPECT_EQ(service.opened[0].first, 5550);
    EXPECT_EQ(service.opened[0].second, 128);
    EXPECT_EQ(controller.clientNumber(), 1111u);
}

TEST_F(NetworkControllerTest, EveryQueryReadsTheCommandsFirstAndTheFlagsLastOneTurn) {
    FakeService service(0);
    FakeCommands commands;
    NetworkController controller(5550, 1111, &service, &commands);
    commands.pending = {Command::Left, Command::Fire2};
    EXPECT_TRUE(controller.left());
    EXPECT_FALSE(controller.right());
    EXPECT_TRUE(controller.fire2());
    EXPECT_FALSE(controller.up());
    EXPECT_FALSE(controller.down());
    EXPECT_FALSE(controller.jump());
    EXPECT_FALSE(controller.fire1());
    EXPECT_FALSE(controller.escape());
    EXPECT_EQ(commands.reads, std::vector<uint32_t>(8, 1111));
    endFrameInput();
    EXPECT_FALSE(controller.left());
    commands.pending = {Command::Escape};
    EXPECT_TRUE(controller.escape());
}

TEST_F(NetworkControllerTest, APortThatCannotBeOpenedEndsTheProcessNamingIt) {
    const test::ChildResult result = test::runInChild([] {
        FakeService service(-1);
        NetworkController controller(5550, 1111, &service, nullptr);
    });
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "impossible d'ouvrir le port UDP 5550\n");
}

// A port bound elsewhere: the real socket manager cannot open it.
TEST_F(NetworkControllerTest, APortAlreadyTakenEndsTheProcessNamingIt) {
    const int holder = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(holder, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    ASSERT_EQ(::bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(holder, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const uint16_t port = ntohs(address.sin_port);

    const test::ChildResult result = test::runInChild([port] {
        Net2Service service;
        NetworkController controller(port, 1111, &service, nullptr);
    });
    ::close(holder);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "impossible d'ouvrir le port UDP " + std::to_string(port) + "\n");
}

}  // namespace
}  // namespace ocre
