#include "net/Net2.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <cstring>
#include <string>
#include <vector>

#include "net/FastEvent.h"
#include "net/Net2Texts.h"
#include "tests/net/NetTestSupport.h"

namespace ocre {
namespace {

using test::countEvents;
using test::eventsDuring;
using test::freePort;
using test::loopback;
using test::PosixTcp;
using test::TransportTest;
using test::waitForEvent;

constexpr int kPacketSize = 64;
constexpr int kDeadlineMs = 2000;
// Long enough for several 10 ms cycles of the network thread.
constexpr int kSettleMs = 100;

class Net2Udp : public TransportTest {};
class Net2Tcp : public TransportTest {};
class Net2Lifecycle : public TransportTest {};

void sendText(Uint16 port, const std::string& text) {
    IPaddress to = loopback(port);
    ASSERT_EQ(net2_send_udp(&to, text.data(), static_cast<int>(text.size())), 0) << net2_last_error();
}

std::string textOf(const UDPpacket* packet) {
    return std::string(reinterpret_cast<const char*>(packet->data), static_cast<size_t>(packet->len));
}

std::vector<std::string> readEveryDatagram(int socket) {
    std::vector<std::string> texts;
    while (UDPpacket* packet = net2_read_udp(socket)) {
        texts.push_back(textOf(packet));
        net2_free_packet(packet);
    }
    return texts;
}

// Overfills the receive buffer of an accepted connection: from then on the
// network thread services no socket at all until some read is made.
int stallNetworkThread(PosixTcp& peer) {
    const Uint16 port = freePort(SOCK_STREAM);
    if (net2_listen_tcp(port) < 0 || !peer.connectTo(port)) return -1;
    std::vector<SDL_Event> seen;
    if (!waitForEvent(kNet2AcceptedEvent, -1, kDeadlineMs, seen)) return -1;
    const int connection = net2_event_socket(&seen.back());
    if (!peer.sendAll(std::string(kNet2TcpBufferSize + 100, 'x'))) return -1;
    if (!waitForEvent(kNet2TcpDataEvent, connection, kDeadlineMs)) return -1;
    SDL_Delay(kSettleMs);
    return connection;
}

TEST_F(Net2Udp, DataEventsAreEdgeTriggeredUntilTheRingIsReadEmpty) {
    const Uint16 port = freePort(SOCK_DGRAM);
    const int socket = net2_open_udp(port, kPacketSize);
    ASSERT_GE(socket, 0) << net2_last_error();
    sendText(port, "one");
    sendText(port, "two");
    sendText(port, "three");
    std::vector<SDL_Event> seen;
    ASSERT_TRUE(waitForEvent(kNet2UdpDataEvent, socket, kDeadlineMs, seen));
    const std::vector<SDL_Event> later = eventsDuring(kSettleMs);
    EXPECT_EQ(countEvents(seen, kNet2UdpDataEvent, socket) + countEvents(later, kNet2UdpDataEvent, socket), 1);

    sendText(port, "four");
    EXPECT_EQ(countEvents(eventsDuring(kSettleMs), kNet2UdpDataEvent, socket), 0);

    EXPECT_EQ(readEveryDatagram(socket), (std::vector<std::string>{"one", "two", "three", "four"}));
    sendText(port, "five");
    ASSERT_TRUE(waitForEvent(kNet2UdpDataEvent, socket, kDeadlineMs));
    EXPECT_EQ(readEveryDatagram(socket), std::vector<std::string>{"five"});
}

TEST_F(Net2Udp, ThePacketSizeBoundsWhatIsKeptOfADatagram) {
    const Uint16 port = freePort(SOCK_DGRAM);
    const int socket = net2_open_udp(port, 8);
    ASSERT_GE(socket, 0);
    sendText(port, "0123456789ABCDEFGHIJ");
    ASSERT_TRUE(waitForEvent(kNet2UdpDataEvent, socket, kDeadlineMs));
    UDPpacket* packet = net2_read_udp(socket);
    ASSERT_NE(packet, nullptr);
    EXPECT_EQ(textOf(packet), "01234567");
    // It came from the manager's send socket, not from the receiving one.
    EXPECT_EQ(packet->address.host, loopback(0).host);
    EXPECT_NE(SDLNet_Read16(&packet->address.port), port);
    net2_free_packet(packet);
}

TEST_F(Net2Udp, AFullRingStopsAllServicingUntilARead) {
    const Uint16 otherPort = freePort(SOCK_DGRAM);
    const Uint16 busyPort = freePort(SOCK_DGRAM);
    const int other = net2_open_udp(otherPort, kPacketSize);
    const int busy = net2_open_udp(busyPort, kPacketSize);
    ASSERT_GE(other, 0);
    ASSERT_GE(busy, 0);
    constexpr int kTotal = kNet2UdpRingSize + 20;
    for (int i = 0; i < kTotal; ++i) {
        sendText(busyPort, std::to_string(i));
        // Paced so that the kernel's receive buffer never overflows.
        if (i % 16 == 15) SDL_Delay(2);
    }
    ASSERT_TRUE(waitForEvent(kNet2UdpDataEvent, busy, kDeadlineMs));
    SDL_Delay(2 * kSettleMs);

    sendText(otherPort, "waiting");
    EXPECT_EQ(countEvents(eventsDuring(kSettleMs), kNet2UdpDataEvent, other), 0);

    UDPpacket* first = net2_read_udp(busy);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(textOf(first), "0");
    net2_free_packet(first);
    EXPECT_TRUE(waitForEvent(kNet2UdpDataEvent, other, kDeadlineMs));
    EXPECT_EQ(readEveryDatagram(other), std::vector<std::string>{"waiting"});

    // Nothing was lost: what did not fit waited in the socket.
    int expected = 1;
    bool inOrder = true;
    const Uint32 end = SDL_GetTicks() + kDeadlineMs;
    while (expected < kTotal && static_cast<Sint32>(end - SDL_GetTicks()) > 0) {
        UDPpacket* packet = net2_read_udp(busy);
        if (packet == nullptr) {
            SDL_Delay(1);
            continue;
        }
        if (textOf(packet) != std::to_string(expected)) inOrder = false;
        net2_free_packet(packet);
        ++expected;
    }
    EXPECT_EQ(expected, kTotal);
    EXPECT_TRUE(inOrder);
}

TEST_F(Net2Udp, APortInUseIsRefusedAndLeavesNoSlotInUse) {
    const Uint16 port = freePort(SOCK_DGRAM);
    const int first = net2_open_udp(port, kPacketSize);
    ASSERT_EQ(first, 0);
    EXPECT_EQ(net2_open_udp(port, kPacketSize), -1);
    EXPECT_STREQ(net2_last_error(), "NET2: can't open a socket");
    EXPECT_EQ(net2_last_error_number(), 1);
    // The slot it tried is free again and the next socket takes it.
    EXPECT_EQ(net2_open_udp(freePort(SOCK_DGRAM), kPacketSize), 1);
}

TEST_F(Net2Tcp, BytesTravelBetweenAConnectionAndItsAcceptedPeer) {
    const Uint16 port = freePort(SOCK_STREAM);
    const int listener = net2_listen_tcp(port);
    ASSERT_GE(listener, 0) << net2_last_error();
    const int client = net2_connect_tcp("127.0.0.1", port);
    ASSERT_GE(client, 0) << net2_last_error();
    std::vector<SDL_Event> seen;
    ASSERT_TRUE(waitForEvent(kNet2AcceptedEvent, -1, kDeadlineMs, seen));
    const int server = net2_event_socket(&seen.back());
    EXPECT_EQ(net2_event_detail(&seen.back()), port);
    EXPECT_NE(server, client);
    EXPECT_NE(server, listener);

    ASSERT_EQ(net2_send_tcp(client, "ping", 4), 0);
    ASSERT_TRUE(waitForEvent(kNet2TcpDataEvent, server, kDeadlineMs));
    char buffer[8] = {};
    ASSERT_EQ(net2_read_tcp(server, buffer, sizeof buffer), 4);
    EXPECT_EQ(std::string(buffer, 4), "ping");

    ASSERT_EQ(net2_send_tcp(server, "pong", 4), 0);
    ASSERT_TRUE(waitForEvent(kNet2TcpDataEvent, client, kDeadlineMs));
    // A short read leaves the rest at the front for the next one.
    ASSERT_EQ(net2_read_tcp(client, buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "pon");
    ASSERT_EQ(net2_read_tcp(client, buffer, sizeof buffer), 1);
    EXPECT_EQ(buffer[0], 'g');

    const IPaddress* peer = net2_tcp_peer(server);
    ASSERT_NE(peer, nullptr);
    EXPECT_EQ(peer->host, loopback(0).host);
}

TEST_F(Net2Tcp, APeerThatClosesGivesOneClosedEventAndItsBytesStayReadable) {
    const Uint16 port = freePort(SOCK_STREAM);
    ASSERT_GE(net2_listen_tcp(port), 0);
    PosixTcp peer;
    ASSERT_TRUE(peer.connectTo(port));
    std::vector<SDL_Event> seen;
    ASSERT_TRUE(waitForEvent(kNet2AcceptedEvent, -1, kDeadlineMs, seen));
    const int connection = net2_event_socket(&seen.back());
    ASSERT_TRUE(peer.sendAll("hello"));
    peer.close();

    ASSERT_TRUE(waitForEvent(kNet2ClosedEvent, connection, kDeadlineMs, seen));
    const std::vector<SDL_Event> later = eventsDuring(kSettleMs);
    EXPECT_EQ(countEvents(seen, kNet2ClosedEvent, connection) + countEvents(later, kNet2ClosedEvent, connection), 1);
    char buffer[16] = {};
    ASSERT_EQ(net2_read_tcp(connection, buffer, sizeof buffer), 5);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    EXPECT_EQ(net2_read_tcp(connection, buffer, sizeof buffer), 0);

    EXPECT_EQ(net2_send_tcp(connection, "x", 1), -1);
    EXPECT_STREQ(net2_last_error(), "NET2: you can't do a TCP send on that socket");
}

TEST_F(Net2Tcp, SendIsRefusedOnListenersUdpSocketsAndFreeSlots) {
    const Uint16 port = freePort(SOCK_STREAM);
    const int listener = net2_listen_tcp(port);
    const int udp = net2_open_udp(freePort(SOCK_DGRAM), kPacketSize);
    const int client = net2_connect_tcp("127.0.0.1", port);
    ASSERT_GE(listener, 0);
    ASSERT_GE(udp, 0);
    ASSERT_GE(client, 0);
    std::vector<SDL_Event> seen;
    ASSERT_TRUE(waitForEvent(kNet2AcceptedEvent, -1, kDeadlineMs, seen));
    const int server = net2_event_socket(&seen.back());

    for (int refused : {listener, udp, -1, kNet2MaxSockets}) {
        EXPECT_EQ(net2_send_tcp(refused, "x", 1), -1) << refused;
        EXPECT_STREQ(net2_last_error(), "NET2: you can't do a TCP send on that socket");
        EXPECT_EQ(net2_last_error_number(), refused);
    }

    EXPECT_EQ(net2_send_tcp(client, "", 0), 0);
    EXPECT_EQ(countEvents(eventsDuring(kSettleMs), kNet2TcpDataEvent, server), 0);

    net2_close_tcp(client);
    SDL_Delay(kSettleMs);
    EXPECT_EQ(net2_send_tcp(client, "x", 1), -1);
    EXPECT_EQ(net2_last_error_number(), client);
    // The freed slot is the next one handed out.
    EXPECT_EQ(net2_open_udp(freePort(SOCK_DGRAM), kPacketSize), client);
}

TEST_F(Net2Tcp, AFailedSendMarksTheConnectionAndPostsAClosedEvent) {
    PosixTcp stalling;
    ASSERT_GE(stallNetworkThread(stalling), 0);
    const Uint16 port = freePort(SOCK_STREAM);
    PosixTcp remote;
    ASSERT_TRUE(remote.listenOn(port));
    // The stalled thread never takes this connection in, so only the send
    // can find out that the peer is gone.
    const int connection = net2_connect_tcp("127.0.0.1", port);
    ASSERT_GE(connection, 0);
    const int accepted = remote.acceptOne(kDeadlineMs);
    ASSERT_GE(accepted, 0);
    test::resetAndClose(accepted);

    int result = 0;
    const Uint32 end = SDL_GetTicks() + kDeadlineMs;
    while ((result = net2_send_tcp(connection, "data", 4)) == 0 && static_cast<Sint32>(end - SDL_GetTicks()) > 0) {
        SDL_Delay(5);
    }
    EXPECT_EQ(result, -1);
    EXPECT_STREQ(net2_last_error(), "NET2: can't send TCP data, expect a close event");
    EXPECT_EQ(net2_last_error_number(), connection);
    EXPECT_TRUE(waitForEvent(kNet2ClosedEvent, connection, kDeadlineMs));
    EXPECT_EQ(net2_send_tcp(connection, "data", 4), -1);
    EXPECT_STREQ(net2_last_error(), "NET2: you can't do a TCP send on that socket");
}

TEST_F(Net2Lifecycle, ASocketClosedBeforeItJoinedTheSetIsStillRemoved) {
    PosixTcp stalling;
    const int stalled = stallNetworkThread(stalling);
    ASSERT_GE(stalled, 0);
    const Uint16 port = freePort(SOCK_DGRAM);
    const int late = net2_open_udp(port, kPacketSize);
    ASSERT_GE(late, 0);
    net2_close_udp(late);

    // A read on a socket that is not UDP gives nothing but still wakes the
    // stalled thread, which removes the closed socket.
    EXPECT_EQ(net2_read_udp(stalled), nullptr);
    std::vector<SDL_Event> seen;
    ASSERT_TRUE(waitForEvent(kNet2ErrorEvent, late, kDeadlineMs, seen));
    EXPECT_STREQ(net2_event_error(&seen.back()), "NET2: can't delete a UDP socket from the socket set");
    SDL_Delay(kSettleMs);
    // Closed and freed all the same: its port and its slot are available.
    EXPECT_EQ(net2_open_udp(port, kPacketSize), late) << net2_last_error();
}

TEST_F(Net2Lifecycle, StartingTwiceKeepsOneNetworkThread) {
    const int running = test::threadCount();
    EXPECT_EQ(net2_start(), 0);
    EXPECT_EQ(test::threadCount(), running);
    const Uint16 port = freePort(SOCK_DGRAM);
    const int socket = net2_open_udp(port, kPacketSize);
    sendText(port, "still serviced");
    EXPECT_TRUE(waitForEvent(kNet2UdpDataEvent, socket, kDeadlineMs));
}

TEST_F(Net2Lifecycle, StopEndsTheThreadClosesTheSocketsAndClearsTheLastError) {
    const int running = test::threadCount();
    const Uint16 port = freePort(SOCK_DGRAM);
    ASSERT_EQ(net2_open_udp(port, kPacketSize), 0);
    sendText(port, "left unread");
    ASSERT_TRUE(waitForEvent(kNet2UdpDataEvent, 0, kDeadlineMs));
    ASSERT_EQ(net2_open_udp(port, kPacketSize), -1);

    net2_stop();
    EXPECT_STREQ(net2_last_error(), "");
    EXPECT_EQ(net2_last_error_number(), -1);
    const Uint32 end = SDL_GetTicks() + kDeadlineMs;
    while (test::threadCount() != running - 1 && static_cast<Sint32>(end - SDL_GetTicks()) > 0) SDL_Delay(1);
    EXPECT_EQ(test::threadCount(), running - 1);

    ASSERT_EQ(net2_start(), 0);
    EXPECT_EQ(net2_open_udp(port, kPacketSize), 0) << "the port was not given back";
}

TEST_F(Net2Lifecycle, StopDiscardsQueuedEventsAndFreesAThreadBlockedInPush) {
    const Uint16 port = freePort(SOCK_DGRAM);
    ASSERT_GE(net2_open_udp(port, kPacketSize), 0);
    SDL_Delay(kSettleMs);
    SDL_Event filler{};
    filler.type = SDL_USEREVENT;
    filler.user.code = 42;
    while (SDL_PushEvent(&filler) == 0) {
    }
    // Its data event finds the queue full: the thread waits in fe_push.
    sendText(port, "stuck");
    SDL_Delay(kSettleMs);

    net2_stop();
    SDL_Event left;
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
}

TEST(Net2Events, AccessorsReadTheCodeAndBothData) {
    SDL_Event accepted{};
    accepted.type = SDL_USEREVENT;
    accepted.user.code = kNet2AcceptedEvent;
    accepted.user.data1 = reinterpret_cast<void*>(7);
    accepted.user.data2 = reinterpret_cast<void*>(5551);
    EXPECT_EQ(net2_event_kind(&accepted), kNet2AcceptedEvent);
    EXPECT_EQ(net2_event_socket(&accepted), 7);
    EXPECT_EQ(net2_event_detail(&accepted), 5551);
    EXPECT_EQ(net2_event_error(&accepted), nullptr);

    // An error event is only trusted with one of the manager's own texts.
    static const char kForeign[] = "NET2: out of memory";
    SDL_Event error = accepted;
    error.user.code = kNet2ErrorEvent;
    error.user.data2 = const_cast<char*>(kForeign);
    EXPECT_EQ(net2_event_error(&error), nullptr);
    error.user.data2 = const_cast<char*>(kNet2OutOfMemory);
    EXPECT_STREQ(net2_event_error(&error), "NET2: out of memory");
}

}  // namespace
}  // namespace ocre
