#include "client/PassReader.h"

#include <utility>

#include "tools/common/ServerMessage.h"

namespace ocre::client {

namespace {
using common::ServerMessage;
constexpr auto kRateWindow = std::chrono::seconds(1);
}  // namespace

PassReader::PassReader(std::vector<uint32_t> animationCounts) : animationCounts_(std::move(animationCounts)) {
    latest_.actors.resize(animationCounts_.size());
}

PassReader::Outcome PassReader::receive(const uint8_t* bytes, size_t length, Clock::time_point now) {
    const ServerMessage message = common::readServerMessage(bytes, length);
    Outcome outcome;
    switch (message.kind) {
    case ServerMessage::Kind::Accepted:
        outcome.kind = Kind::Accepted;
        outcome.detail = message.detail;
        return outcome;
    case ServerMessage::Kind::Refused:
        outcome.kind = Kind::Refused;
        outcome.detail = message.detail;
        return outcome;
    case ServerMessage::Kind::Other:
        ++ignored_;
        return outcome;
    case ServerMessage::Kind::Camera:
        if (client_ && *client_ != message.client) break;
        client_ = message.client;
        if (inPass_) finishPass(now);
        building_ = latest_;
        // Positions and the camera are unsigned on the wire; one that went
        // below 0 arrives near 2^32 and means a small negative value.
        building_.cameraX = static_cast<int32_t>(message.values[0]);
        building_.cameraY = static_cast<int32_t>(message.values[1]);
        inPass_ = true;
        tracker_.onCamera(now);
        lastUpdate_ = now;
        outcome.kind = Kind::Display;
        return outcome;
    case ServerMessage::Kind::Actor: {
        const uint32_t index = message.values[0];
        const uint32_t animation = message.values[3];
        if (!inPass_ || !client_ || *client_ != message.client || index >= animationCounts_.size() ||
            animation >= animationCounts_[index])
            break;
        ActorState& actor = building_.actors[index];
        actor.known = true;
        actor.x = static_cast<int32_t>(message.values[1]);
        actor.y = static_cast<int32_t>(message.values[2]);
        actor.animation = animation;
        tracker_.onActor(index);
        lastUpdate_ = now;
        // The server sends the actors in list order: the last one ends the
        // pass without waiting for the next camera message.
        if (index + 1 == animationCounts_.size()) finishPass(now);
        outcome.kind = Kind::Display;
        return outcome;
    }
    }
    ++ignored_;
    return outcome;
}

void PassReader::finishPass(Clock::time_point now) {
    latest_ = building_;
    inPass_ = false;
    newPass_ = true;
    recentPasses_.push_back(now);
}

bool PassReader::takeNewPass() { return std::exchange(newPass_, false); }

size_t PassReader::passesInLastSecond(Clock::time_point now) {
    while (!recentPasses_.empty() && now - recentPasses_.front() > kRateWindow) recentPasses_.pop_front();
    return recentPasses_.size();
}

}  // namespace ocre::client
