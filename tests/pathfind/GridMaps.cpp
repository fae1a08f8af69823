#include "tests/pathfind/GridMaps.h"

#include <gtest/gtest.h>

namespace ocre::test {

namespace {

enum TileIndex : uint16_t { kFloor = 0, kWall = 1, kOddFlag = 2 };

std::unique_ptr<Tile> tileWithWalkable(uint8_t walkable) {
    auto tile = std::make_unique<Tile>();
    tile->width = 1;
    tile->height = 1;
    tile->walkable = walkable;
    return tile;
}

}  // namespace

std::unique_ptr<Map> gridMap(const std::vector<std::string>& rows, uint32_t tileWidth, uint32_t tileHeight) {
    std::vector<std::unique_ptr<Tile>> tiles;
    tiles.push_back(tileWithWalkable(1));
    tiles.push_back(tileWithWalkable(0));
    tiles.push_back(tileWithWalkable(2));
    auto map = std::make_unique<Map>(std::move(tiles));
    std::vector<uint16_t> indices;
    for (const std::string& row : rows) {
        EXPECT_EQ(row.size(), rows.front().size()) << "ragged test map";
        for (char c : row) indices.push_back(c == '#' ? kWall : c == 'x' ? kOddFlag : kFloor);
    }
    const bool accepted = map->setGrid(static_cast<uint32_t>(rows.front().size()), static_cast<uint32_t>(rows.size()),
                                       tileWidth, tileHeight, indices);
    EXPECT_TRUE(accepted) << "test map refused";
    return map;
}

std::vector<std::string> randomRows(std::mt19937& random, int cols, int rows, double blockedShare) {
    std::bernoulli_distribution blocked(blockedShare);
    std::vector<std::string> result(static_cast<size_t>(rows), std::string(static_cast<size_t>(cols), '.'));
    for (std::string& row : result)
        for (char& c : row)
            if (blocked(random)) c = '#';
    return result;
}

}  // namespace ocre::test
