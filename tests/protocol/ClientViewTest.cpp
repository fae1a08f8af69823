#include "protocol/ClientView.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/protocol/ProtocolTestSupport.h"

namespace ocre::test {
namespace {

using protocol::ClientView;
using Origin = std::pair<int32_t, int32_t>;

Origin origin(const ClientView& view) { return {view.originX(), view.originY()}; }

TEST(ClientView, ARefreshSendsTheCameraThenOneMessagePerActorInListOrder) {
    ProtocolServer server;
    server.addActor(10, 20, 3);
    Actor* stray = server.addActor(30, 40, 1, 200);
    server.addActor(4000000000u, 60, 2);  // depth 50, newest first among equals; a long text before short ones
    FrameSet foreignFrames;
    AnimatedSprite foreign(foreignFrames);
    stray->setCurrentAnimation(&foreign);  // not in its list: sent as animation 0
    ClientView view(2, 640, 480, server.scene, server.service, "localhost", 4000);
    view.refresh();

    EXPECT_EQ(server.service.sent, (std::vector<std::string>{
                                       sentTo(4000, "from SERVEUR to CLIENT 2 affiche (0,0,0,0)"),
                                       sentTo(4000, "from SERVEUR to CLIENT 2 sprite (0,4000000000,60,2)"),
                                       sentTo(4000, "from SERVEUR to CLIENT 2 sprite (1,10,20,3)"),
                                       sentTo(4000, "from SERVEUR to CLIENT 2 sprite (2,30,40,0)")}));
}

TEST(ClientView, OriginsThatWouldShowBeyondTheMapAreRefusedNotClamped) {
    ProtocolServer server;
    ClientView view(2, 320, 240, server.scene, server.service, "localhost", 4000);
    struct Row { Origin asked, kept; };
    for (const Row& row : {Row{{480, 360}, {480, 360}}, Row{{481, 361}, {480, 360}}, Row{{-1, -20}, {480, 360}},
                           Row{{0, 0}, {0, 0}}, Row{{INT32_MAX, INT32_MIN}, {0, 0}}}) {
        view.setOriginX(row.asked.first);
        view.setOriginY(row.asked.second);
        EXPECT_EQ(origin(view), row.kept) << row.asked.first << "," << row.asked.second;
    }
    view.centreOn(400, 300);
    EXPECT_EQ(origin(view), Origin(240, 180));
    view.centreOn(790, 300);
    EXPECT_EQ(origin(view), Origin(240, 180)) << "790 - 160 passes 800 - 320: x stays, it does not go to the edge";
    view.centreOn(INT32_MIN, INT32_MIN);
    EXPECT_EQ(origin(view), Origin(240, 180));

    ProtocolServer narrow(600, 960);
    ClientView wide(2, 640, 480, narrow.scene, narrow.service, "localhost", 4000);
    for (int32_t x : {0, 1, 100, -40, 600}) {
        wide.setOriginX(x);
        wide.centreOn(x + 320, 500);
    }
    EXPECT_EQ(origin(wide), Origin(0, 260)) << "a view wider than the map never moves horizontally";
}

TEST(ClientView, AFollowedActorIsCentredAfterTheCameraMessageOfEachRefresh) {
    ProtocolServer server;
    Actor* first = server.addActor(100, 100, 0);
    Actor* actor = server.addActor(400, 300, 0);
    ClientView view(1111, 320, 240, server.scene, server.service, "localhost", 666);
    view.setFollowedActor(first);
    view.setFollowedActor(actor);
    EXPECT_TRUE(first->followedBy == nullptr && actor->followedBy == &view);
    EXPECT_EQ(origin(view), Origin(240, 180));

    actor->x = 500, actor->y = 350;
    view.refresh();
    view.refresh();
    ASSERT_EQ(server.service.sent.size(), 6u);
    EXPECT_EQ(server.service.sent[0], sentTo(666, "from SERVEUR to CLIENT 1111 affiche (240,180,0,0)"));
    EXPECT_EQ(server.service.sent[3], sentTo(666, "from SERVEUR to CLIENT 1111 affiche (340,230,0,0)"));
}

}  // namespace
}  // namespace ocre::test
