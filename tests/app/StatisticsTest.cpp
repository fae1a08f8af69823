#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/Statistics.h"

namespace ocre {
namespace {

std::string printed(uint32_t elapsedMs, uint32_t turns) {
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    printStatistics(out, elapsedMs, turns);
    std::fclose(out);
    std::string text(buffer, size);
    free(buffer);
    return text;
}

// A one-turn run reports a thousand over the elapsed milliseconds.
TEST(Statistics, PrintsSecondsFramesAndRate) {
    EXPECT_EQ(printed(10000, 400), "Temps ecoule : 10 sec\nFrames affichees : 400, soit 40 fps\n");
    EXPECT_EQ(printed(26, 1), "Temps ecoule : 0 sec\nFrames affichees : 1, soit 38 fps\n");
}

TEST(Statistics, RateTruncatesAndDoesNotOverflowOnLongRuns) {
    EXPECT_EQ(turnsPerSecond(3, 1000), 3u);
    EXPECT_EQ(turnsPerSecond(2, 3), 666u);
    // 31 hours at 40 turns per second: the 32-bit product turns x 1000 wraps.
    EXPECT_EQ(turnsPerSecond(31u * 3600u * 40u, 31u * 3600u * 1000u), 40u);
}

}  // namespace
}  // namespace ocre
