#pragma once
// A remote client's commands as a controller. Every query first has the
// command source read the datagrams waiting for this client number (which
// raises the turn's command flags), then answers its own flag; the flags
// fall back at the end of the turn.

#include <cstdint>

#include "world/Controller.h"

namespace ocre {

class CommandSource;
class NetworkService;
enum class Command;

// The size of the datagrams the command socket keeps.
constexpr int kCommandPacketSize = 128;

class NetworkController : public Controller {
public:
    // Opens the UDP socket the clients send to on port; a port that cannot
    // be opened ends the process with a message naming it. The service and
    // the command source are not owned.
    NetworkController(uint16_t port, uint32_t clientNumber, NetworkService* service, CommandSource* commands);

    int32_t up() override;
    int32_t down() override;
    int32_t left() override;
    int32_t right() override;
    int32_t jump() override;
    int32_t fire1() override;
    int32_t fire2() override;
    int32_t escape() override;

    uint32_t clientNumber() const { return clientNumber_; }
    NetworkService* service() const { return service_; }

private:
    int32_t flagAfterReading(Command command);

    NetworkService* service_;
    uint32_t clientNumber_;
    CommandSource* commands_;
};

}  // namespace ocre
