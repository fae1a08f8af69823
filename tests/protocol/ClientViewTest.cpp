#include "protocol/ClientView.h"

#include <gtest/gtest.h>

#include <string>

#include "protocol/ClientRecord.h"
#include "protocol/ViewFactory.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace ocre::test {
namespace {

using protocol::ClientRecord;
using protocol::ClientView;
using protocol::ViewFactory;

constexpr size_t kMessageBytes = 100;

void expectMessage(const SentDatagram& message, const std::string& text, uint16_t port) {
    EXPECT_EQ(message.text(), text);
    ASSERT_EQ(message.bytes.size(), kMessageBytes);
    for (size_t i = text.size(); i < kMessageBytes; ++i) ASSERT_EQ(message.bytes[i], 0) << "byte " << i;
    EXPECT_EQ(message.host, kLoopback);
    EXPECT_EQ(message.port, port);
}

class ClientViewTest : public ::testing::Test {
protected:
    ClientView view(SmallWorld& in, int32_t width = 640, int32_t height = 480, uint32_t number = 2) {
        return ClientView(number, width, height, in.scene(), service, "localhost", 4000);
    }
    FakeNetworkService service;
};

TEST_F(ClientViewTest, ARefreshSendsTheCameraThenOneMessagePerActorInListOrder) {
    SmallWorld world(800, 600);
    world.addActor(10, 20, 3);
    world.addActor(30, 40, 1, 200);
    world.addActor(50, 60, 2);  // depth 50, newest first among equals
    ClientView client = view(world);
    client.refresh();

    ASSERT_EQ(service.sent.size(), 4u);
    expectMessage(service.sent[0], "from SERVEUR to CLIENT 2 affiche (0,0,0,0)", 4000);
    expectMessage(service.sent[1], "from SERVEUR to CLIENT 2 sprite (0,50,60,2)", 4000);
    expectMessage(service.sent[2], "from SERVEUR to CLIENT 2 sprite (1,10,20,3)", 4000);
    expectMessage(service.sent[3], "from SERVEUR to CLIENT 2 sprite (2,30,40,1)", 4000);
}

TEST_F(ClientViewTest, AnActorShowingAnAnimationOutsideItsListIsSentWithZero) {
    SmallWorld world(800, 600);
    Actor* actor = world.addActor(10, 20, 3);
    FrameSet stray;
    AnimatedSprite foreign(stray);
    actor->setCurrentAnimation(&foreign);
    ClientView client = view(world);
    client.refresh();
    ASSERT_EQ(service.sent.size(), 2u);
    EXPECT_EQ(service.sent[1].text(), "from SERVEUR to CLIENT 2 sprite (0,10,20,0)");
}

TEST_F(ClientViewTest, AnEmptyWorldGetsTheCameraOnly) {
    SmallWorld world(800, 600);
    ClientView client = view(world);
    client.refresh();
    ASSERT_EQ(service.sent.size(), 1u);
    EXPECT_EQ(service.sent[0].text(), "from SERVEUR to CLIENT 2 affiche (0,0,0,0)");
}

TEST_F(ClientViewTest, OriginsOutsideTheMapAreRefusedNotClamped) {
    SmallWorld world(800, 600);
    ClientView client = view(world, 320, 240);
    client.setOriginX(480);
    client.setOriginY(360);
    EXPECT_EQ(client.originX(), 480);
    EXPECT_EQ(client.originY(), 360);

    client.setOriginX(481);
    client.setOriginY(361);
    client.setOriginX(-1);
    client.setOriginY(-20);
    EXPECT_EQ(client.originX(), 480);
    EXPECT_EQ(client.originY(), 360);

    client.setOriginX(0);
    client.setOriginY(0);
    EXPECT_EQ(client.originX(), 0);
    EXPECT_EQ(client.originY(), 0);
    client.setOriginX(INT32_MIN);
    client.setOriginX(INT32_MAX);
    EXPECT_EQ(client.originX(), 0);
}

TEST_F(ClientViewTest, CentringNearTheRightEdgeLeavesTheOriginWhereItWas) {
    SmallWorld world(800, 600);
    ClientView client = view(world, 320, 240);
    client.centreOn(400, 300);
    EXPECT_EQ(client.originX(), 240);
    EXPECT_EQ(client.originY(), 180);
    client.centreOn(790, 300);
    EXPECT_EQ(client.originX(), 240) << "790 - 160 passes 800 - 320";
    client.centreOn(INT32_MIN, INT32_MIN);
    EXPECT_EQ(client.originX(), 240);
    EXPECT_EQ(client.originY(), 180);
}

TEST_F(ClientViewTest, AWideViewOnANarrowerMapNeverMovesHorizontally) {
    SmallWorld world(600, 960);
    ClientView client = view(world, 640, 480);
    for (int32_t x : {0, 1, 100, -40, 600}) {
        client.setOriginX(x);
        client.centreOn(x + 320, 500);
    }
    EXPECT_EQ(client.originX(), 0);
    EXPECT_EQ(client.originY(), 260);
    client.setOriginX(0);
    EXPECT_EQ(client.originX(), 0);
}

TEST_F(ClientViewTest, FollowingAnActorCentresFromTheNextRefreshAfterTheCamera) {
    SmallWorld world(800, 600);
    Actor* actor = world.addActor(400, 300, 0);
    ClientView client = view(world, 320, 240);
    client.setFollowedActor(actor);
    EXPECT_EQ(client.originX(), 240);
    EXPECT_EQ(client.originY(), 180);
    EXPECT_EQ(actor->followedBy, &client);

    actor->x = 500;
    actor->y = 350;
    client.refresh();
    ASSERT_EQ(service.sent.size(), 2u);
    EXPECT_EQ(service.sent[0].text(), "from SERVEUR to CLIENT 2 affiche (240,180,0,0)") << "the previous pass's origin";
    EXPECT_EQ(client.originX(), 340);
    EXPECT_EQ(client.originY(), 230);
    client.refresh();
    EXPECT_EQ(service.sent[2].text(), "from SERVEUR to CLIENT 2 affiche (340,230,0,0)");
}

TEST_F(ClientViewTest, TheStartUpFollowRefusesANegativeOriginAndMovesTheBackReference) {
    SmallWorld world(800, 600);
    Actor* first = world.addActor(320, 100, 0);
    Actor* second = world.addActor(600, 480, 0);
    ClientView client = view(world, 320, 240, 1111);
    client.setOriginX(100);
    client.setOriginY(100);

    client.setFollowedActor(first);
    EXPECT_EQ(client.originX(), 160);
    EXPECT_EQ(client.originY(), 0) << "100 - 120 is refused and the origin was reset first";

    client.setFollowedActor(second);
    EXPECT_EQ(first->followedBy, nullptr);
    EXPECT_EQ(second->followedBy, &client);
    EXPECT_EQ(client.followedActor(), second);
    EXPECT_EQ(client.originX(), 440);
    EXPECT_EQ(client.originY(), 360);
}

TEST_F(ClientViewTest, ScreenPositionsBecomeWorldPositionsThroughTheCamera) {
    SmallWorld world(800, 600);
    ClientView client = view(world, 320, 240);
    client.setOriginX(100);
    client.setOriginY(50);
    EXPECT_EQ(client.toWorldX(10), 110);
    EXPECT_EQ(client.toWorldY(-60), -10);
}

TEST_F(ClientViewTest, AViewWhoseDestinationDoesNotResolveStaysSilent) {
    SmallWorld world(800, 600);
    world.addActor(1, 2, 0);
    ClientView lost(3, 640, 480, world.scene(), service, "nowhere.invalid", 4000);
    lost.refresh();
    EXPECT_FALSE(lost.hasDestination());
    EXPECT_TRUE(service.sent.empty());
}

TEST_F(ClientViewTest, TheFactoryOpensARegisteredFullSizeViewForTheRecord) {
    SmallWorld world(800, 600);
    world.addActor(5, 6, 1);
    world.addActor(7, 8, 2);
    ViewFactory factory(world.scene(), service);
    ClientRecord record;
    record.clientNumber = 4;
    record.host = "localhost";
    record.port = 4321;
    ClientView* opened = factory.openView(record);

    EXPECT_EQ(opened->width(), 640);
    EXPECT_EQ(opened->height(), 480);
    EXPECT_EQ(opened->originX(), 0);
    EXPECT_EQ(opened->followedActor(), nullptr);
    ASSERT_EQ(world.scene().viewCount(), 1);
    EXPECT_EQ(world.scene().view(0), opened);

    world.scene().view(0)->refresh();
    ASSERT_EQ(service.sent.size(), 3u);
    expectMessage(service.sent[0], "from SERVEUR to CLIENT 4 affiche (0,0,0,0)", 4321);
    expectMessage(service.sent[1], "from SERVEUR to CLIENT 4 sprite (0,7,8,2)", 4321);
    expectMessage(service.sent[2], "from SERVEUR to CLIENT 4 sprite (1,5,6,1)", 4321);
}

}  // namespace
}  // namespace ocre::test
