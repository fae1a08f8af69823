#include "tests/net/NetTestSupport.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <set>

#include "net/FastEvent.h"
#include "net/Net2.h"

namespace ocre::test {

void TransportTest::SetUp() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0);
    ASSERT_EQ(SDLNet_Init(), 0);
    ASSERT_EQ(fe_start(), 0);
    ASSERT_EQ(net2_start(), 0) << net2_last_error();
}

void TransportTest::TearDown() {
    net2_stop();
    fe_stop();
    SDLNet_Quit();
    SDL_Quit();
}

namespace {
Uint16 unusedPort(int type) {
    const int fd = socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    Uint16 port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(fd);
    return port;
}
}  // namespace

// Never the same port twice in one process, so two sockets of one test
// cannot be handed the same number by chance.
Uint16 freePort(int type) {
    static std::set<Uint16> given;
    Uint16 port = unusedPort(type);
    while (port == 0 || !given.insert(port).second) port = unusedPort(type);
    return port;
}

IPaddress loopback(Uint16 port) {
    IPaddress address{};
    net2_resolve(&address, "127.0.0.1", port);
    return address;
}

PosixTcp::PosixTcp() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {}

PosixTcp::~PosixTcp() { close(); }

bool PosixTcp::connectTo(Uint16 port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool PosixTcp::listenOn(Uint16 port) {
    int yes = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(fd_, 4) == 0;
}

int PosixTcp::acceptOne(int timeoutMs) {
    pollfd waiting{fd_, POLLIN, 0};
    if (poll(&waiting, 1, timeoutMs) <= 0) return -1;
    return accept(fd_, nullptr, nullptr);
}

bool PosixTcp::sendAll(const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

void PosixTcp::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void resetAndClose(int fd) {
    linger abort{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(fd);
}

std::vector<SDL_Event> eventsDuring(int milliseconds) {
    std::vector<SDL_Event> events;
    const Uint32 end = SDL_GetTicks() + static_cast<Uint32>(milliseconds);
    while (static_cast<Sint32>(end - SDL_GetTicks()) > 0) {
        SDL_Event event;
        if (fe_poll(&event) > 0) {
            if (event.type == SDL_USEREVENT) events.push_back(event);
        } else {
            SDL_Delay(1);
        }
    }
    return events;
}

bool waitForEvent(int code, int socket, int timeoutMs, std::vector<SDL_Event>& seen) {
    const Uint32 end = SDL_GetTicks() + static_cast<Uint32>(timeoutMs);
    while (static_cast<Sint32>(end - SDL_GetTicks()) > 0) {
        SDL_Event event;
        if (fe_poll(&event) <= 0) {
            SDL_Delay(1);
            continue;
        }
        if (event.type != SDL_USEREVENT) continue;
        seen.push_back(event);
        if (net2_event_kind(&event) == code && (socket < 0 || net2_event_socket(&event) == socket)) return true;
    }
    return false;
}

bool waitForEvent(int code, int socket, int timeoutMs) {
    std::vector<SDL_Event> ignored;
    return waitForEvent(code, socket, timeoutMs, ignored);
}

int countEvents(const std::vector<SDL_Event>& events, int code, int socket) {
    int count = 0;
    for (const SDL_Event& event : events) {
        if (net2_event_kind(&event) == code && net2_event_socket(&event) == socket) ++count;
    }
    return count;
}

int threadCount() {
    int count = 0;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) return -1;
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] != '.') ++count;
    }
    closedir(tasks);
    return count;
}

}  // namespace ocre::test
