#include "relay/LiveFrame.h"

#include "core/LittleEndian.h"

namespace ocre::relay {

namespace {

// The frame's integers are little-endian, as the project's file formats.
void putU32(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t bytes[4];
    encodeU32(value, bytes);
    out.insert(out.end(), bytes, bytes + 4);
}

void putI32(std::vector<uint8_t>& out, int32_t value) { putU32(out, static_cast<uint32_t>(value)); }

uint32_t getU32(const uint8_t* at) { return decodeU32(at); }

int32_t getI32(const uint8_t* at) { return static_cast<int32_t>(decodeU32(at)); }

}  // namespace

std::vector<uint8_t> encodeLiveFrame(const LivePass& pass) {
    const size_t count = pass.actors.size() < kMaxLiveFrameActors ? pass.actors.size() : kMaxLiveFrameActors;
    std::vector<uint8_t> out;
    out.reserve(kLiveFrameHeaderSize + kLiveFrameActorSize * count);
    out.push_back(kLiveFrameVersion);
    out.push_back(static_cast<uint8_t>(count));
    out.push_back(0);
    out.push_back(0);
    putU32(out, pass.sequence);
    putI32(out, pass.cameraX);
    putI32(out, pass.cameraY);
    for (size_t i = 0; i < count; ++i) {
        const LiveActor& a = pass.actors[i];
        putI32(out, a.list);
        putI32(out, a.x);
        putI32(out, a.y);
        putI32(out, a.animation);
    }
    return out;
}

std::optional<LivePass> decodeLiveFrame(const uint8_t* bytes, size_t length, std::string& error) {
    if (length < kLiveFrameHeaderSize) {
        error = "frame of " + std::to_string(length) + " bytes is shorter than its header";
        return std::nullopt;
    }
    if (bytes[0] != kLiveFrameVersion) {
        error = "frame of format version " + std::to_string(bytes[0]) + ", expected " +
                std::to_string(kLiveFrameVersion);
        return std::nullopt;
    }
    const size_t count = bytes[1];
    if (length != kLiveFrameHeaderSize + kLiveFrameActorSize * count) {
        error = "frame of " + std::to_string(length) + " bytes announces " + std::to_string(count) + " actors";
        return std::nullopt;
    }
    LivePass pass;
    pass.sequence = getU32(bytes + 4);
    pass.cameraX = getI32(bytes + 8);
    pass.cameraY = getI32(bytes + 12);
    pass.actors.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* at = bytes + kLiveFrameHeaderSize + kLiveFrameActorSize * i;
        pass.actors[i] = LiveActor{getI32(at), getI32(at + 4), getI32(at + 8), getI32(at + 12)};
    }
    return pass;
}

}  // namespace ocre::relay
