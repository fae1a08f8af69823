#include "tests/support/FreePort.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <set>

namespace ocre::test {

// The kernel may hand a just-released port out again: remembered, so two
// helpers of one test never get the same port.
uint16_t freePort(int type) {
    static std::set<uint16_t> given;
    for (;;) {
        const int fd = socket(AF_INET, type, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        socklen_t length = sizeof address;
        uint16_t port = 0;
        if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            port = ntohs(address.sin_port);
        }
        if (fd >= 0) close(fd);
        if (port != 0 && given.insert(port).second) return port;
    }
}

}  // namespace ocre::test
