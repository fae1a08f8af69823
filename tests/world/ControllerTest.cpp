#include "net/FastEvent.h"
#include "net/Net2.h"
#include "net/Net2Service.h"
#include "tests/support/DataFiles.h"
#include "tests/support/UdpPeer.h"
#include "tests/world/WorldTestSupport.h"
#include "world/Actor.h"
#include "world/KeyboardController.h"
#include "world/CommandSource.h"
#include "world/NetworkController.h"

namespace ocre {
namespace {

// The steered actor stands at (200, 150) in the world; the view's camera is
// at (100, 50), so the actor shows at (100, 100) on the screen.
class MouseControllerTest : public test::WorldTest {
protected:
    // Places the pointer at this offset from the actor, in world pixels.
    static void pointAtOffset(int32_t dx, int32_t dy) { pinPointerForTesting(100 + dx, 100 + dy); }
    static void button(bool pressed, uint8_t which, int32_t x = 0, int32_t y = 0) {
        pushButton(pressed, which, x, y);
        pollInput();
    }
    static std::string directions(MouseController& mouse) {
        return std::string(mouse.up() ? "U" : "") + (mouse.down() ? "D" : "") + (mouse.left() ? "L" : "") +
               (mouse.right() ? "R" : "");
    }

    DatStructure frames_ = test::makeFrames(1, 16, 16);
    Actor steered_{1, frames_, 200, 150, 0};
    Actor* followed_ = &steered_;
    test::FixedView view_{100, 50};
};

TEST_F(MouseControllerTest, TheRightButtonSteersTowardThePointerTiesGoingVerticalAndBothButtonsJump) {
    button(true, SDL_BUTTON_RIGHT);
    pushButton(true, SDL_BUTTON_MIDDLE, 0, 0);
    MouseController mouse(&followed_, &view_);
    pollInput();
    pointAtOffset(40, 0);
    EXPECT_EQ(directions(mouse), "") << "building forgets held buttons";
    EXPECT_FALSE(mouse.fire2()) << "and queued events";
    button(true, SDL_BUTTON_RIGHT);
    struct Case { int32_t dx, dy; const char* held; };
    for (const Case& c : {Case{40, 0, "R"}, {-40, 39, "L"}, {0, 0, "U"}, {-10, 10, "D"}, {10, -10, "U"}}) {
        pointAtOffset(c.dx, c.dy);
        EXPECT_EQ(directions(mouse), c.held) << c.dx << "," << c.dy;
    }
    EXPECT_FALSE(mouse.jump());
    button(true, SDL_BUTTON_LEFT);
    EXPECT_TRUE(mouse.jump()) << "both buttons";
    EXPECT_EQ(directions(mouse), "U") << "and still steering";
    followed_ = nullptr;
    EXPECT_EQ(directions(mouse), "") << "the followed actor is read at every query";
    followed_ = &steered_;
    button(false, SDL_BUTTON_RIGHT);
    EXPECT_EQ(directions(mouse), "");
    EXPECT_FALSE(mouse.jump());
}

TEST_F(MouseControllerTest, AShortLeftClickIsFire1AndADragIsNot) {
    MouseController mouse(&followed_, &view_);
    button(true, SDL_BUTTON_LEFT, 100, 100);
    pinPointerForTesting(105, 96);
    EXPECT_FALSE(mouse.fire1()) << "still held";
    button(false, SDL_BUTTON_LEFT, 105, 96);
    EXPECT_TRUE(mouse.fire1());

    pushButton(true, SDL_BUTTON_LEFT, 100, 100);
    button(false, SDL_BUTTON_LEFT, 106, 100);
    pinPointerForTesting(106, 100);
    EXPECT_FALSE(mouse.fire1()) << "six pixels away";
    pinPointerForTesting(95, 105);
    EXPECT_TRUE(mouse.fire1()) << "the pointer as it stands now decides";
}

TEST_F(MouseControllerTest, TheMiddleButtonIsFire2AndTheEscapeKeyEscape) {
    MouseController mouse(&followed_, &view_);
    EXPECT_FALSE(mouse.fire2() || mouse.escape());
    pushButton(true, SDL_BUTTON_MIDDLE, 0, 0);
    pressKey(SDLK_ESCAPE);
    pollInput();
    EXPECT_TRUE(mouse.fire2());
    EXPECT_TRUE(mouse.escape());
}

using KeyboardControllerTest = test::WorldTest;

TEST_F(KeyboardControllerTest, RightComesBeforeLeftAmongTheArguments) {
    KeyboardController keys(SDLK_UP, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT, 'v', ' ', 'n', SDLK_ESCAPE);
    pressKey(SDLK_LEFT);
    pollInput();
    EXPECT_TRUE(keys.left() && !keys.right());
    pressKey(SDLK_RIGHT);
    pressKey('n');
    pollInput();
    EXPECT_TRUE(keys.right());
    EXPECT_TRUE(keys.fire2());
    EXPECT_FALSE(keys.up() || keys.down() || keys.jump() || keys.fire1() || keys.escape());
}

using NetworkControllerTest = test::WorldTest;

// A port bound elsewhere: the running socket manager can open any free port
// but not this one.
TEST_F(NetworkControllerTest, APortAlreadyTakenEndsTheProcessNamingIt) {
    test::UdpPeer holder;
    const uint16_t port = holder.port();

    const auto openBoth = [port] {
        ASSERT_EQ(SDLNet_Init(), 0);
        ASSERT_EQ(fe_start(), 0);
        ASSERT_EQ(net2_start(), 0);
        Net2Service service;
        NetworkController anyPort(0, 1111, &service, nullptr);
        NetworkController taken(port, 1111, &service, nullptr);
    };
    EXPECT_TRUE(test::diesWith(openBoth, "impossible d'ouvrir le port UDP " + std::to_string(port) + "\n"));
}

// Each query first has the command source read what arrived for the
// controller's client number, then answers its own flag of this turn.
TEST_F(NetworkControllerTest, OpensItsPortWith128BytePacketsAndReadsBeforeEachAnswer) {
    class RecordingService : public Net2Service {
    public:
        int open_udp(Uint16 port, int packetSize) override {
            opened = {port, packetSize};
            return Net2Service::open_udp(port, packetSize);
        }
        std::pair<int, int> opened{-1, -1};
    } service;
    class RecordingSource : public CommandSource {
    public:
        void readCommands(uint32_t clientNumber) override {
            reads.push_back(clientNumber);
            raiseCommandFlag(Command::Left);
        }
        std::vector<uint32_t> reads;
    } source;

    NetworkController controller(0, 1111, &service, &source);
    EXPECT_EQ(service.opened, (std::pair<int, int>{0, 128}));
    EXPECT_TRUE(controller.left());
    EXPECT_FALSE(controller.right() || controller.up() || controller.escape());
    EXPECT_EQ(source.reads, (std::vector<uint32_t>{1111, 1111, 1111, 1111}));
    endFrameInput();
    source.reads.clear();
    EXPECT_FALSE(controller.down());
    EXPECT_EQ(source.reads.size(), 1u);
}

}  // namespace
}  // namespace ocre
