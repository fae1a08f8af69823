#include "app/Statistics.h"

namespace ocre {

namespace {
constexpr const char* kStatisticsFormat = "Temps ecoule : %u sec\nFrames affichees : %u, soit %u fps\n";
}

uint32_t turnsPerSecond(uint32_t turns, uint32_t elapsedMs) {
    if (elapsedMs == 0) return 0;
    return static_cast<uint32_t>(static_cast<uint64_t>(turns) * 1000u / elapsedMs);
}

void printStatistics(std::FILE* out, uint32_t elapsedMs, uint32_t turns) {
    std::fprintf(out, kStatisticsFormat, elapsedMs / 1000u, turns, turnsPerSecond(turns, elapsedMs));
}

}  // namespace ocre
