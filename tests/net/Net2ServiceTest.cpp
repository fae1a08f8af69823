#include "net/Net2Service.h"

#include <gtest/gtest.h>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstddef>

#include "net/Net2.h"
#include "tests/net/NetTestSupport.h"
#include "tests/support/DataFiles.h"

namespace ocre {
namespace {

class Net2ServiceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0); }
    void TearDown() override { SDL_Quit(); }
};

// The second round finds the port given back by the first service.
TEST_F(Net2ServiceTest, CarriesDatagramsReportsFailuresAndGivesItsPortsBack) {
    const Uint16 port = test::freePort(SOCK_DGRAM);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Net2Service service;
        NetworkService& network = service;
        const int socket = network.open_udp(port, 100);
        ASSERT_EQ(socket, 0) << network.lastError();
        EXPECT_EQ(network.open_udp(port, 100), -1);
        EXPECT_STREQ(network.lastError(), "NET2: can't open a socket");

        IPaddress to;
        ASSERT_EQ(network.resolve_host(&to, "127.0.0.1", port), 0);
        ASSERT_EQ(network.send_udp(&to, "hello", 6), 0);
        ASSERT_TRUE(test::waitForEvent(kNet2UdpDataEvent, socket));
        UDPpacket* packet = network.read_udp(socket);
        ASSERT_NE(packet, nullptr);
        EXPECT_EQ(packet->len, 6);
        EXPECT_STREQ(reinterpret_cast<const char*>(packet->data), "hello");
        EXPECT_NE(SDLNet_Read16(&packet->address.port), port) << "sent from the receiving socket";
        network.free_packet(packet);
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
    const auto startWithoutSockets = [] {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) _exit(3);
        if (!refuseNewSockets()) _exit(4);
        Net2Service service;
        _exit(5);
    };
    EXPECT_TRUE(test::diesWith(startWithoutSockets, "erreur initialisation Net2\n"));
}

}  // namespace
}  // namespace ocre
