#pragma once
// Which sprite set each index of the server's actor messages draws with.
//
// The server's world is fixed: its start-up builds six actors and inserts
// each into the depth-sorted shared list (app/Server.cpp, world/Scene.cpp).
// All have depth 50 but the pointer (200), and among equal depths the
// newest goes first, so the list reads: the sheep on its path, the dragon,
// the jumping sheep, the mayor, the hero, the pointer. An actor message's
// index is a position in that list, its animation index a position in the
// actor's DAT list.

#include <cstddef>
#include <cstdint>

#include "data/DataSetFiles.h"

namespace ocre::client {

inline constexpr const char* kActorDatFiles[] = {
    dataset::kSheepDatFile,    // 0: the sheep walking its path
    dataset::kDragonDatFile,   // 1: the dragon, steered by client commands
    dataset::kSheepDatFile,    // 2: the jumping sheep
    dataset::kHeroDatFile,     // 3: the mayor, pacing and talking
    dataset::kHeroDatFile,     // 4: the hero, steered by the server's mouse
    dataset::kPointerDatFile,  // 5: the server's mouse pointer
};
constexpr size_t kActorCount = sizeof kActorDatFiles / sizeof kActorDatFiles[0];

// The actor the commands of client number 1111 steer.
constexpr uint32_t kSteeredActorIndex = 1;

}  // namespace ocre::client
