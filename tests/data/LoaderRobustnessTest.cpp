// Damaged versions of a valid file of every kind, each loaded in a child: a
// loader may accept or refuse them, but must always end cleanly.

#include <gtest/gtest.h>

#include <random>

#include "data/DatStructure.h"
#include "data/FrameSet.h"
#include "data/Map.h"
#include "data/Path.h"
#include "tests/data/DataFiles.h"

namespace ocre {
namespace {

using LoaderRobustnessTest = test::LoaderTest;

// About 25 cut lengths and 35 copies with one to three bits flipped.
std::vector<test::File> damagedVersions(const test::File& valid, uint32_t seed) {
    std::vector<test::File> versions;
    for (size_t length = 0; length < valid.size(); length += valid.size() / 25 + 1)
        versions.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> anyBit(0, valid.size() * 8 - 1);
    for (int i = 0; i < 35; ++i) {
        versions.push_back(valid);
        for (int flips = i % 3; flips >= 0; --flips) {
            const size_t bit = anyBit(random);
            versions.back()[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
        }
    }
    return versions;
}

TEST_F(LoaderRobustnessTest, DamagedFilesOfEveryKindEndTheLoaderCleanly) {
    const std::string tiles = write("t.tle", test::tileFile(4, 4, {1, 0}));
    const std::string a = write("a.spr", test::plainSprite(1, 2, 2)), b = write("b.spr", test::plainSprite(2, 1, 1));
    const std::string dat = a + "\r\n" + b + "\t" + a + "\n";
    const std::pair<test::File, std::function<void(const char*)>> kinds[] = {
        {test::spriteFile(2, 2, 2, 1, {1, 2, 3, 4, 0, 0, 0, 0, 9, 9, 9, 9, 5, 6, 7, 8}, {0, 0, 1, 0, 1, 0, 1, 0}),
         [](const char* path) { FrameSet().load(path); }},
        {test::tileFile(3, 2, {1, 0}),
         [](const char* path) {
             Map map(path, nullptr);
             for (uint32_t i = 0; i < map.tileCount(); ++i)
                 if (map.tile(i)->surface == nullptr) _exit(7);
         }},
        {test::mapFile(4, 3, 4, 4, {0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 1, 1}),
         [&](const char* path) {
             Map map(tiles.c_str(), nullptr);
             map.load(path);
             // A loaded map answers every query without leaving its grid.
             for (int32_t d = -8; d <= 40; d += 4) {
                 map.isWalkable(static_cast<uint32_t>(d), static_cast<uint32_t>(d), 4, d, -d);
                 map.cellWalkable(d / 4, d / 4);
             }
         }},
        {test::File(dat.begin(), dat.end()), [](const char* path) { DatStructure().load(path); }},
        {test::pathFile(1, {{1, 2, 3}, {4, 5, 6}, {-7, -8, -9}}),
         [](const char* path) {
             Path route(path);
             for (int i = 0; i < 10; ++i) route.advance();
         }},
    };
    const std::string path = dir.file("damaged");
    for (size_t kind = 0; kind < std::size(kinds); ++kind) {
        const auto versions = damagedVersions(kinds[kind].first, static_cast<uint32_t>(kind));
        for (size_t i = 0; i < versions.size(); ++i) {
            test::writeFile(path, versions[i]);
            const test::ChildResult r = test::runInChild([&] { kinds[kind].second(path.c_str()); }, 10000);
            ASSERT_TRUE(r.exited && (r.exitStatus == 0 || r.exitStatus == 255))
                << "kind " << kind << " version " << i << ": status " << r.exitStatus << ", signal " << r.signal;
        }
    }
}

}  // namespace
}  // namespace ocre
