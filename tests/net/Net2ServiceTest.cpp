#include "net/Net2Service.h"

#include <gtest/gtest.h>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string>

#include "net/Net2.h"
#include "tests/net/NetTestSupport.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

using test::freePort;

constexpr int kDeadlineMs = 2000;

class Net2ServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0); }
    void TearDown() override { SDL_Quit(); }
};

// Holds a UDP port the way another program would.
class BusyUdpPort {
public:
    explicit BusyUdpPort(Uint16 port) : fd_(socket(AF_INET, SOCK_DGRAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        address.sin_port = htons(port);
        bound_ = bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~BusyUdpPort() { close(fd_); }
    BusyUdpPort(const BusyUdpPort&) = delete;
    BusyUdpPort& operator=(const BusyUdpPort&) = delete;
    bool bound() const { return bound_; }

private:
    int fd_;
    bool bound_ = false;
};

TEST_F(Net2ServiceTest, CarriesADatagramFromItsSendSocketToItsOwnUdpSocket) {
    Net2Service service;
    NetworkService& network = service;
    const Uint16 port = freePort(SOCK_DGRAM);
    const int socket = network.open_udp(port, 100);
    ASSERT_GE(socket, 0) << network.lastError();
    IPaddress to;
    ASSERT_EQ(network.resolve_host(&to, "127.0.0.1", port), 0);
    ASSERT_EQ(network.send_udp(&to, "hello", 6), 0);
    ASSERT_TRUE(test::waitForEvent(kNet2UdpDataEvent, socket, kDeadlineMs));
    UDPpacket* packet = network.read_udp(socket);
    ASSERT_NE(packet, nullptr);
    EXPECT_EQ(packet->len, 6);
    EXPECT_STREQ(reinterpret_cast<const char*>(packet->data), "hello");
    network.free_packet(packet);
    EXPECT_EQ(network.read_udp(socket), nullptr);
    EXPECT_STREQ(network.lastError(), "");
}

TEST_F(Net2ServiceTest, ABusyPortIsReportedToTheCaller) {
    const Uint16 port = freePort(SOCK_DGRAM);
    BusyUdpPort other(port);
    ASSERT_TRUE(other.bound());
    Net2Service service;
    NetworkService& network = service;
    EXPECT_EQ(network.open_udp(port, 100), -1);
    EXPECT_STREQ(network.lastError(), "NET2: can't open a socket");
}

TEST_F(Net2ServiceTest, DestructionGivesThePortsBackForTheNextService) {
    const Uint16 port = freePort(SOCK_DGRAM);
    for (int round = 0; round < 2; ++round) {
        Net2Service service;
        EXPECT_EQ(service.open_udp(port, 100), 0) << "round " << round << ": " << service.lastError();
    }
}

// Every later socket() call of this thread (and of threads it starts) fails
// as when the process has run out of descriptors.
bool refuseNewSockets() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_socket, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EMFILE & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// The socket manager cannot open its send socket: the service ends the
// process with its message.
TEST(Net2Service, ASocketManagerThatCannotStartIsFatal) {
    const test::ChildResult result = test::runInChild([] {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) _exit(3);
        if (!refuseNewSockets()) _exit(4);
        Net2Service service;
        _exit(5);
    });
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 255) << result.err;
    EXPECT_EQ(result.out, "erreur initialisation Net2\n");
}

}  // namespace
}  // namespace ocre
