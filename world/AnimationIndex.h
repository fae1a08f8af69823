#pragma once
// The order of every actor's animations (the order of the frame files in
// its DAT list); clients receive these indices and draw accordingly.

#include <cstdint>

namespace ocre {

constexpr uint32_t kWalkDown = 0;
constexpr uint32_t kWalkLeft = 1;
constexpr uint32_t kWalkRight = 2;
constexpr uint32_t kWalkUp = 3;
constexpr uint32_t kStandDown = 4;
constexpr uint32_t kStandLeft = 5;
constexpr uint32_t kStandRight = 6;
constexpr uint32_t kStandUp = 7;

}  // namespace ocre
