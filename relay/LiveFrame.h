#pragma once
// The binary frame the relay sends every spectator once per pass, and the
// strict reader of it (a relay fed by another relay reads it back).
//
// All integers little-endian:
//   0  u8   format version (kLiveFrameVersion)
//   1  u8   actor count A
//   2  u16  reserved, 0
//   4  u32  sequence number (+1 per pass, wraps)
//   8  i32  camera x
//   12 i32  camera y
//   16 A x (i32 list index, i32 x, i32 y, i32 animation)
// Total kLiveFrameHeaderSize + kLiveFrameActorSize * A bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ocre::relay {

// Where a relay serves the stream.
inline constexpr char kLivePath[] = "/live";

constexpr uint8_t kLiveFrameVersion = 1;
constexpr size_t kLiveFrameHeaderSize = 16;
constexpr size_t kLiveFrameActorSize = 16;
constexpr size_t kMaxLiveFrameActors = 255;
constexpr size_t kMaxLiveFrameSize = kLiveFrameHeaderSize + kLiveFrameActorSize * kMaxLiveFrameActors;

// One actor as the server's actor message gives it: the 32-bit values of
// the wire, kept bit for bit.
struct LiveActor {
    int32_t list = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t animation = 0;
    bool operator==(const LiveActor& o) const {
        return list == o.list && x == o.x && y == o.y && animation == o.animation;
    }
};

struct LivePass {
    uint32_t sequence = 0;
    int32_t cameraX = 0;
    int32_t cameraY = 0;
    std::vector<LiveActor> actors;
};

// Actors beyond kMaxLiveFrameActors are left out: the count is one byte.
std::vector<uint8_t> encodeLiveFrame(const LivePass& pass);

// The pass, or nothing with a one-line reason in error.
std::optional<LivePass> decodeLiveFrame(const uint8_t* bytes, size_t length, std::string& error);

}  // namespace ocre::relay
