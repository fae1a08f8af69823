#include "client/PassReader.h"

#include <gtest/gtest.h>

#include "client/ActorTable.h"
#include "tests/client/ClientTestSupport.h"

namespace ocre::test {
namespace {

using client::PassReader;

// The default data set gives every actor eight animations.
PassReader defaultReader() { return PassReader(std::vector<uint32_t>(client::kActorCount, 8)); }

std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// The text as a server datagram, received now.
PassReader::Kind feed(PassReader& reader, const std::string& text) {
    const auto bytes = ClientArt::datagram(text);
    return reader.receive(bytes.data(), bytes.size(), client::Clock::now()).kind;
}

TEST(PassReader, AssemblesPassesAndIgnoresEverythingMalformed) {
    PassReader reader = defaultReader();
    const auto now = client::Clock::now();
    auto receive = [&](const std::vector<uint8_t>& bytes) { return reader.receive(bytes.data(), bytes.size(), now).kind; };
    EXPECT_EQ(feed(reader, "from SERVEUR to CLIENT connection_accepted hello"), PassReader::Kind::Accepted);
    EXPECT_EQ(feed(reader, ClientArt::camera(3, 40, 20)), PassReader::Kind::Display);

    std::vector<std::vector<uint8_t>> hostile = {
        {},
        bytesOf(ClientArt::actor(3, 1, 5, 5, 2)),  // no zero byte
        ClientArt::datagram(ClientArt::actor(3, 6, 5, 5, 2)),           // no such actor
        ClientArt::datagram(ClientArt::actor(3, 4294967295u, 5, 5, 2)),
        ClientArt::datagram(ClientArt::actor(3, 1, 5, 5, 8)),           // no such animation
        ClientArt::datagram(ClientArt::actor(7, 1, 5, 5, 2)),           // another client
        ClientArt::datagram("from SERVEUR to CLIENT 3 sprite (1,99999999999,5,2)"),
        ClientArt::datagram("from SERVEUR to CLIENT 3 sprite (1,-5,5,2)"),
        ClientArt::datagram("from SERVEUR to CLIENT 3 sprite (1,5,5,2) and more"),
        ClientArt::datagram("from SERVEUR to CLIENT 3 sprite (1,5,5"),
        ClientArt::datagram("from SERVEUR to CLIENT 3 affiche (1, 2,0,0)"),
        ClientArt::datagram("from SERVEUR to CLIENT 3 spirte (1,5,5,2)"),
        ClientArt::datagram("FROM SERVEUR TO CLIENT 3 affiche (1,2,0,0)"),
        std::vector<uint8_t>(5000, 'x'),
    };
    for (size_t i = 0; i < client::kActorCount; ++i) {
        for (const auto& bytes : hostile) EXPECT_NE(receive(bytes), PassReader::Kind::Display);
        EXPECT_FALSE(reader.takeNewPass()) << "a pass ended early, before actor " << i;
        EXPECT_EQ(feed(reader, ClientArt::actor(3, static_cast<uint32_t>(i), 100 + 10 * i, 7, i)), PassReader::Kind::Display);
    }
    ASSERT_TRUE(reader.takeNewPass());
    const client::Pass& pass = reader.latest();
    EXPECT_EQ(reader.clientNumber(), 3u);
    EXPECT_EQ(std::make_pair(pass.cameraX, pass.cameraY), std::make_pair(40, 20));
    for (size_t i = 0; i < client::kActorCount; ++i) {
        EXPECT_TRUE(pass.actors[i].known);
        EXPECT_EQ(pass.actors[i].x, static_cast<int32_t>(100 + 10 * i));
        EXPECT_EQ(pass.actors[i].animation, i);
    }
    EXPECT_EQ(reader.passes(), 1u);
    EXPECT_EQ(reader.ignored(), hostile.size() * client::kActorCount);
}

TEST(PassReader, PositionsBelowZeroReadNegativeAndMissingActorsKeepTheirPlace) {
    PassReader reader = defaultReader();
    feed(reader, ClientArt::camera(0, 0, 0));
    for (uint32_t i = 0; i < client::kActorCount; ++i) feed(reader, ClientArt::actor(0, i, 50, 60, 4));
    ASSERT_TRUE(reader.takeNewPass());
    // The next pass loses actor 2 and ends at the next camera message.
    feed(reader, ClientArt::camera(0, 0, 0));
    feed(reader, ClientArt::actor(0, 1, 4294967266u, 4294967295u, 1));
    feed(reader, ClientArt::camera(0, 0, 0));
    ASSERT_TRUE(reader.takeNewPass());
    EXPECT_EQ(std::make_pair(reader.latest().actors[1].x, reader.latest().actors[1].y), std::make_pair(-30, -1));
    EXPECT_EQ(reader.latest().actors[2].x, 50);
    EXPECT_TRUE(reader.latest().actors[2].known);
}

TEST(PassReader, KeepsToItsClientNumberUntilToldToForgetIt) {
    PassReader reader = defaultReader();
    EXPECT_EQ(feed(reader, ClientArt::camera(2, 0, 0)), PassReader::Kind::Display);
    EXPECT_NE(feed(reader, ClientArt::camera(4, 0, 0)), PassReader::Kind::Display);
    reader.forgetClientNumber();
    EXPECT_EQ(feed(reader, ClientArt::camera(4, 0, 0)), PassReader::Kind::Display);
    EXPECT_EQ(reader.clientNumber(), 4u);
}

}  // namespace
}  // namespace ocre::test
