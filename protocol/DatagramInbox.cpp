#include "protocol/DatagramInbox.h"

#include "gfx/Input.h"
#include "net/NetworkService.h"
#include "protocol/ProtocolParsing.h"
#include "protocol/ProtocolTexts.h"

namespace ocre::protocol {

namespace {

bool take(std::deque<std::string>& queue, std::string& text) {
    if (queue.empty()) return false;
    text = std::move(queue.front());
    queue.pop_front();
    return true;
}

// A reader that never comes back must not make the other one hold an
// ever-growing backlog: past the limit, later arrivals are dropped.
void keep(std::deque<std::string>& queue, std::string&& text) {
    if (queue.size() < kInboxQueueLimit) queue.push_back(std::move(text));
}

}  // namespace

DatagramInbox::DatagramInbox(NetworkService& service) : service_(service) {}

void DatagramInbox::collect() {
    const int32_t socket = lastUdpSocket();
    if (socket == kNoUdpSocket) return;
    while (UDPpacket* packet = service_.read_udp(socket)) {
        std::string text = datagramText(*packet);
        service_.free_packet(packet);
        if (looksLikeCommand(text))
            keep(commands_, std::move(text));
        else if (looksLikeRequest(text))
            keep(requests_, std::move(text));
    }
}

bool DatagramInbox::takeRequest(std::string& text) { return take(requests_, text); }

bool DatagramInbox::takeCommand(std::string& text) { return take(commands_, text); }

}  // namespace ocre::protocol
