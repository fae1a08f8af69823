#pragma once
// The run statistics printed once the main loop has ended.

#include <cstdint>
#include <cstdio>

namespace ocre {

// Turns per second as (turns x 1000) / elapsed, truncated; the product is
// taken in 64 bits so that long runs do not overflow.
uint32_t turnsPerSecond(uint32_t turns, uint32_t elapsedMs);

void printStatistics(std::FILE* out, uint32_t elapsedMs, uint32_t turns);

}  // namespace ocre
