#include "world/NetworkController.h"

#include <cstdio>

#include "core/Fatal.h"
#include "gfx/Input.h"
#include "net/NetworkService.h"
#include "world/CommandSource.h"

namespace ocre {

namespace {
// Without its socket the server could hear no client at all.
constexpr const char* kCannotOpenPort = "impossible d'ouvrir le port UDP %u\n";
constexpr int kNoSocket = -1;
}  // namespace

// The socket number is not kept: datagrams are found through the input
// poll's notices.
NetworkController::NetworkController(uint16_t port, uint32_t clientNumber, NetworkService* service,
                                     CommandSource* commands)
    : service_(service), clientNumber_(clientNumber), commands_(commands) {
    if (service_ == nullptr || service_->open_udp(port, kCommandPacketSize) == kNoSocket)
        fatalf(stdout, kCannotOpenPort, static_cast<unsigned>(port));
}

// Every query reads first, so a command that arrived since the previous
// query of the turn is already seen.
int32_t NetworkController::flagAfterReading(Command command) {
    if (commands_ != nullptr) commands_->readCommands(clientNumber_);
    return commandFlag(command);
}

int32_t NetworkController::up() { return flagAfterReading(Command::Up); }
int32_t NetworkController::down() { return flagAfterReading(Command::Down); }
int32_t NetworkController::left() { return flagAfterReading(Command::Left); }
int32_t NetworkController::right() { return flagAfterReading(Command::Right); }
int32_t NetworkController::jump() { return flagAfterReading(Command::Jump); }
int32_t NetworkController::fire1() { return flagAfterReading(Command::Fire1); }
int32_t NetworkController::fire2() { return flagAfterReading(Command::Fire2); }
int32_t NetworkController::escape() { return flagAfterReading(Command::Escape); }

}  // namespace ocre
