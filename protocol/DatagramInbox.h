#pragma once
// The server's one listening socket carries both connection requests and
// client commands, and two readers take from it at different moments of a
// turn. The inbox drains the socket for whichever reader comes first and
// sorts what it finds, in arrival order, so that neither reader loses the
// other's datagrams.

#include <cstdint>
#include <deque>
#include <string>

namespace ocre {

class NetworkService;

namespace protocol {

// What the input tables hold as the latest UDP notice when there is none.
constexpr int32_t kNoUdpSocket = -1;

class DatagramInbox {
public:
    explicit DatagramInbox(NetworkService& service);

    // Takes every datagram waiting on the socket of the latest UDP notice
    // (nothing if there is none) and gives each back to the service. Texts
    // of neither form are dropped here.
    void collect();

    // The oldest waiting text of each form; false when there is none.
    bool takeRequest(std::string& text);
    bool takeCommand(std::string& text);

    size_t waitingCommands() const { return commands_.size(); }

private:
    NetworkService& service_;
    std::deque<std::string> requests_;
    std::deque<std::string> commands_;
};

}  // namespace protocol
}  // namespace ocre
