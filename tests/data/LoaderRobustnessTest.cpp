// Damaged versions of valid files of every kind, each loaded in a child:
// a loader may accept or refuse them, but must always end cleanly.

#include <gtest/gtest.h>

#include "data/DatStructure.h"
#include "data/FrameSet.h"
#include "data/Map.h"
#include "data/Path.h"
#include "tests/data/DataFiles.h"

namespace ocre {
namespace {

using test::Rgbx;

constexpr size_t kCuts = 25;
constexpr size_t kFlips = 35;

class LoaderRobustnessTest : public ::testing::Test {
protected:
    test::OpenDisplay screen;
    test::TempDir dir;

    // Writes each damaged version to `name` and loads it in a child.
    void survivesDamage(const std::string& name, const std::vector<uint8_t>& valid, uint32_t seed,
                        const std::function<void(const std::string&)>& load) {
        const std::string path = dir.file(name);
        const auto versions = test::damagedVersions(valid, kCuts, kFlips, seed);
        for (size_t i = 0; i < versions.size(); ++i) {
            test::writeFile(path, versions[i]);
            ASSERT_TRUE(test::endsCleanly([&] { load(path); })) << name << " version " << i;
        }
    }
};

TEST_F(LoaderRobustnessTest, SpriteFrameFile) {
    const auto valid = test::spriteFile(2, 3, 2,
                                        {std::vector<Rgbx>(6, Rgbx{1, 2, 3, 4}), std::vector<Rgbx>(6, Rgbx{0, 0, 0, 0})},
                                        {{0, 0, 2, 1}, {1, 1, 2, 1}});
    survivesDamage("s.spr", valid.data(), 1, [](const std::string& path) { FrameSet().load(path.c_str()); });
}

TEST_F(LoaderRobustnessTest, TileFile) {
    test::Bytes tiles;
    tiles.raw(test::tileRecord(3, 2, 1, 1, {9, 9, 9, 9}).data()).raw(test::tileRecord(2, 2, 0, 0).data());
    survivesDamage("t.tle", tiles.data(), 2, [](const std::string& path) {
        Map map(path.c_str(), nullptr);
        for (uint32_t i = 0; i < map.tileCount(); ++i)
            if (map.tile(i)->surface == nullptr) _exit(7);
    });
}

TEST_F(LoaderRobustnessTest, MapFile) {
    test::Bytes tiles;
    tiles.raw(test::tileRecord(4, 4, 0, 1).data()).raw(test::tileRecord(4, 4, 0, 0).data());
    const std::string tileFile = dir.file("t.tle");
    test::writeFile(tileFile, tiles.data());
    test::MapHeader header;
    header.cols = 4;
    header.rows = 3;
    header.tileWidth = 4;
    header.tileHeight = 4;
    const auto valid = test::mapFile(header, {0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 1, 1});
    survivesDamage("m.map", valid.data(), 3, [&](const std::string& path) {
        Map map(tileFile.c_str(), nullptr);
        map.load(path.c_str());
        // A loaded map must answer every query without leaving its grid.
        for (int32_t d = -8; d <= 40; d += 4) {
            map.isWalkable(static_cast<uint32_t>(d), static_cast<uint32_t>(d), 4, d, -d);
            map.cellWalkable(d / 4, d / 4);
        }
    });
}

TEST_F(LoaderRobustnessTest, DatFile) {
    const std::string a = dir.file("a.spr"), b = dir.file("b.spr");
    test::writeFile(a, test::plainSprite(1, 2, 2).data());
    test::writeFile(b, test::plainSprite(2, 1, 1).data());
    const std::string text = a + "\r\n" + b + "\t" + a + "\n";
    survivesDamage("l.dat", std::vector<uint8_t>(text.begin(), text.end()), 4,
                   [](const std::string& path) { DatStructure().load(path.c_str()); });
}

TEST_F(LoaderRobustnessTest, PathFile) {
    const auto valid = test::pathFile(1, {{1, 2, 3}, {4, 5, 6}, {-7, -8, -9}});
    survivesDamage("p.pat", valid.data(), 5, [](const std::string& path) {
        Path route(path.c_str());
        for (int i = 0; i < 10; ++i) route.advance();
    });
}

}  // namespace
}  // namespace ocre
