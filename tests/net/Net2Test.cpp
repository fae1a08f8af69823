#include "net/Net2.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/net/NetTestSupport.h"

namespace ocre {
namespace {

using namespace test;

constexpr int kPacketSize = 64;

class Net2Udp : public TransportTest {};
class Net2Tcp : public TransportTest {};
class Net2Lifecycle : public TransportTest {};

void sendText(Uint16 port, const std::string& text) {
    IPaddress to;
    ASSERT_EQ(net2_resolve(&to, "127.0.0.1", port), 0);
    ASSERT_EQ(net2_send_udp(&to, text.data(), static_cast<int>(text.size())), 0) << net2_last_error();
}

// Datagrams until count have come (the thread may still be fetching them)
// or the deadline has passed.
std::vector<std::string> readDatagrams(int socket, size_t count) {
    std::vector<std::string> texts;
    const Uint32 end = SDL_GetTicks() + kDeadlineMs;
    while (texts.size() < count && static_cast<Sint32>(end - SDL_GetTicks()) > 0) {
        if (UDPpacket* packet = net2_read_udp(socket)) {
            texts.emplace_back(reinterpret_cast<const char*>(packet->data), static_cast<size_t>(packet->len));
            net2_free_packet(packet);
        } else {
            SDL_Delay(1);
        }
    }
    return texts;
}

// A listener, a connection to it, and the connection it accepted (server).
struct TcpPair { int listener = -1, client = -1, server = -1; };

TcpPair connectedPair() {
    TcpPair pair;
    const Uint16 port = freePort(SOCK_STREAM);
    pair.listener = net2_listen_tcp(port);
    pair.client = net2_connect_tcp("127.0.0.1", port);
    SDL_Event accepted;
    if (pair.client >= 0 && waitForEvent(kNet2AcceptedEvent, -1, kDeadlineMs, &accepted)) {
        pair.server = net2_event_socket(&accepted);
        EXPECT_EQ(net2_event_detail(&accepted), port);
    }
    return pair;
}

TEST_F(Net2Udp, DataEventsAreEdgeTriggeredAndThePacketSizeBoundsEachDatagram) {
    const Uint16 port = freePort(SOCK_DGRAM);
    const int socket = net2_open_udp(port, 8);
    ASSERT_GE(socket, 0) << net2_last_error();
    for (const char* text : {"one", "two", "three"}) sendText(port, text);
    ASSERT_TRUE(waitForEvent(kNet2UdpDataEvent, socket));
    EXPECT_FALSE(waitForEvent(kNet2UdpDataEvent, socket, kSettleMs)) << "a second event for the same three datagrams";
    sendText(port, "0123456789ABCDEF");
    EXPECT_FALSE(waitForEvent(kNet2UdpDataEvent, socket, kSettleMs)) << "an event before the ring was read empty";

    EXPECT_EQ(readDatagrams(socket, 4), (std::vector<std::string>{"one", "two", "three", "01234567"}));
    EXPECT_EQ(net2_read_udp(socket), nullptr);
    sendText(port, "five");
    EXPECT_TRUE(waitForEvent(kNet2UdpDataEvent, socket));
}

TEST_F(Net2Udp, AFullRingStopsAllServicingUntilARead) {
    const Uint16 otherPort = freePort(SOCK_DGRAM), busyPort = freePort(SOCK_DGRAM);
    const int other = net2_open_udp(otherPort, kPacketSize);
    const int busy = net2_open_udp(busyPort, kPacketSize);
    ASSERT_TRUE(other >= 0 && busy >= 0);
    std::vector<std::string> sent;
    for (int i = 0; i < kNet2UdpRingSize + 20; ++i) {
        sent.push_back(std::to_string(i));
        sendText(busyPort, sent.back());
        if (i % 16 == 15) SDL_Delay(2);  // so that the kernel's receive buffer never overflows
    }
    ASSERT_TRUE(waitForEvent(kNet2UdpDataEvent, busy));
    SDL_Delay(2 * kSettleMs);
    sendText(otherPort, "waiting");
    EXPECT_FALSE(waitForEvent(kNet2UdpDataEvent, other, kSettleMs)) << "serviced while a ring was full";

    std::vector<std::string> received = readDatagrams(busy, 1);
    EXPECT_TRUE(waitForEvent(kNet2UdpDataEvent, other));
    EXPECT_EQ(readDatagrams(other, 1), std::vector<std::string>{"waiting"});
    // Nothing was lost: what did not fit waited in the socket.
    for (std::string& text : readDatagrams(busy, sent.size() - 1)) received.push_back(text);
    EXPECT_EQ(received, sent);
}

TEST_F(Net2Udp, APortInUseIsRefusedAndLeavesNoSlotInUse) {
    const Uint16 port = freePort(SOCK_DGRAM);
    ASSERT_EQ(net2_open_udp(port, kPacketSize), 0);
    EXPECT_EQ(net2_open_udp(port, kPacketSize), -1);
    EXPECT_STREQ(net2_last_error(), "NET2: can't open a socket");
    EXPECT_EQ(net2_last_error_number(), 1);
    EXPECT_EQ(net2_open_udp(freePort(SOCK_DGRAM), kPacketSize), 1) << "the slot it tried is not free again";
}

TEST_F(Net2Tcp, APeerThatClosesGivesOneClosedEventItsBytesStayAndSendsAreRefused) {
    const TcpPair pair = connectedPair();
    ASSERT_GE(pair.server, 0) << net2_last_error();
    const int udp = net2_open_udp(freePort(SOCK_DGRAM), kPacketSize);
    ASSERT_GE(udp, 0);
    EXPECT_EQ(net2_send_tcp(pair.client, "", 0), 0);
    EXPECT_FALSE(waitForEvent(kNet2TcpDataEvent, pair.server, kSettleMs)) << "an empty send sent something";

    ASSERT_EQ(net2_send_tcp(pair.client, "hello", 5), 0);
    net2_close_tcp(pair.client);
    ASSERT_TRUE(waitForEvent(kNet2ClosedEvent, pair.server));
    EXPECT_FALSE(waitForEvent(kNet2ClosedEvent, pair.server, kSettleMs));
    char buffer[8] = {};
    ASSERT_EQ(net2_read_tcp(pair.server, buffer, 3), 3);
    ASSERT_EQ(net2_read_tcp(pair.server, buffer + 3, sizeof buffer - 3), 2) << "a short read lost the rest";
    EXPECT_EQ(std::string(buffer, 5), "hello");
    EXPECT_EQ(net2_read_tcp(pair.server, buffer, sizeof buffer), 0);

    // By now the thread has closed the client and freed its slot.
    for (int refused : {pair.listener, udp, pair.client, pair.server, -1, kNet2MaxSockets}) {
        SCOPED_TRACE(refused);
        EXPECT_EQ(net2_send_tcp(refused, "x", 1), -1);
        EXPECT_STREQ(net2_last_error(), "NET2: you can't do a TCP send on that socket");
        EXPECT_EQ(net2_last_error_number(), refused);
    }
    EXPECT_EQ(net2_open_udp(freePort(SOCK_DGRAM), kPacketSize), pair.client) << "the freed slot was not reused";
}

// A thread stalled on a full TCP buffer takes in no new socket: only a send
// finds out that a new connection's peer is gone, and a socket closed before
// it joined the socket set is removed once a read wakes the thread.
TEST_F(Net2Lifecycle, SocketsTheStalledThreadNeverTookInFailAndCloseCleanly) {
    const TcpPair stalled = connectedPair();
    ASSERT_GE(stalled.server, 0);
    const std::string flood(kNet2TcpBufferSize + 100, 'x');
    ASSERT_EQ(net2_send_tcp(stalled.client, flood.data(), static_cast<int>(flood.size())), 0);
    ASSERT_TRUE(waitForEvent(kNet2TcpDataEvent, stalled.server));
    SDL_Delay(kSettleMs);
    const Uint16 udpPort = freePort(SOCK_DGRAM);
    const int late = net2_open_udp(udpPort, kPacketSize);
    ASSERT_GE(late, 0);
    net2_close_udp(late);

    const int remote = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(freePort(SOCK_STREAM));
    ASSERT_EQ(bind(remote, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(remote, 1), 0);
    const int connection = net2_connect_tcp("127.0.0.1", ntohs(address.sin_port));
    ASSERT_GE(connection, 0);
    const int accepted = accept(remote, nullptr, nullptr);
    const linger reset{1, 0};
    setsockopt(accepted, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    ::close(accepted);
    ::close(remote);
    int result = 0;
    for (int attempt = 0; attempt < 100 && (result = net2_send_tcp(connection, "data", 4)) == 0; ++attempt) {
        SDL_Delay(5);
    }
    EXPECT_EQ(result, -1);
    EXPECT_STREQ(net2_last_error(), "NET2: can't send TCP data, expect a close event");
    EXPECT_EQ(net2_last_error_number(), connection);
    EXPECT_TRUE(waitForEvent(kNet2ClosedEvent, connection));

    EXPECT_EQ(net2_read_udp(stalled.server), nullptr) << "not a UDP socket, yet the read wakes the thread";
    SDL_Event error;
    ASSERT_TRUE(waitForEvent(kNet2ErrorEvent, late, kDeadlineMs, &error));
    EXPECT_STREQ(net2_event_error(&error), "NET2: can't delete a UDP socket from the socket set");
    SDL_Delay(kSettleMs);
    EXPECT_EQ(net2_open_udp(udpPort, kPacketSize), late) << "its port and slot were not given back";
}

// The second start must neither start a thread nor lose the first one's
// sockets; the stop must free the thread that waits for room in the queue.
TEST_F(Net2Lifecycle, AThreadStartedTwiceRunsOnceAndStopJoinsItWhileBlockedInPush) {
    const int running = threadCount();
    EXPECT_EQ(net2_start(), 0);
    EXPECT_EQ(threadCount(), running);
    const Uint16 port = freePort(SOCK_DGRAM);
    ASSERT_EQ(net2_open_udp(port, kPacketSize), 0);
    SDL_Event filler{};
    filler.type = SDL_USEREVENT;
    while (SDL_PushEvent(&filler) == 0) {
    }
    sendText(port, "stuck");
    // Taken in, so the thread went on to post its data event into the full queue.
    EXPECT_EQ(readDatagrams(0, 1), std::vector<std::string>{"stuck"});
    EXPECT_EQ(net2_send_tcp(-1, "x", 1), -1) << "a last error for the stop to clear";

    net2_stop();
    SDL_Event left;
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
    EXPECT_TRUE(threadCountReaches(running - 1));
    EXPECT_STREQ(net2_last_error(), "");
    EXPECT_EQ(net2_last_error_number(), -1);
    ASSERT_EQ(net2_start(), 0);
    EXPECT_EQ(net2_open_udp(port, kPacketSize), 0) << "the port was not given back";
}

}  // namespace
}  // namespace ocre
