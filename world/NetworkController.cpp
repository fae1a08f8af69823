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

void NetworkController::readCommands() {
    if (commands_ != nullptr) commands_->readCommands(clientNumber_);
}

int32_t NetworkController::up() {
    readCommands();
    return commandFlag(Command::Up);
}

int32_t NetworkController::down() {
    readCommands();
    return commandFlag(Command::Down);
}

int32_t NetworkController::left() {
    readCommands();
    return commandFlag(Command::Left);
}

int32_t NetworkController::right() {
    readCommands();
    return commandFlag(Command::Right);
}

int32_t NetworkController::jump() {
    readCommands();
    return commandFlag(Command::Jump);
}

int32_t NetworkController::fire1() {
    readCommands();
    return commandFlag(Command::Fire1);
}

int32_t NetworkController::fire2() {
    readCommands();
    return commandFlag(Command::Fire2);
}

int32_t NetworkController::escape() {
    readCommands();
    return commandFlag(Command::Escape);
}

}  // namespace ocre
