#include "tests/pathfind/GridMaps.h"

#include <gtest/gtest.h>

namespace ocre::test {

std::unique_ptr<Map> gridMap(const std::vector<std::string>& rows, uint32_t tileWidth, uint32_t tileHeight) {
    std::vector<std::unique_ptr<Tile>> tiles;
    for (uint8_t walkable : {1, 0, 2}) {  // the tiles of '.', '#' and 'x'
        tiles.push_back(std::make_unique<Tile>());
        tiles.back()->width = tiles.back()->height = 1;
        tiles.back()->walkable = walkable;
    }
    auto map = std::make_unique<Map>(std::move(tiles));
    std::vector<uint16_t> indices;
    for (const std::string& row : rows)
        for (char c : row) indices.push_back(c == '#' ? 1 : c == 'x' ? 2 : 0);
    EXPECT_TRUE(map->setGrid(static_cast<uint32_t>(rows.front().size()), static_cast<uint32_t>(rows.size()),
                             tileWidth, tileHeight, indices))
        << "test map refused";
    return map;
}

}  // namespace ocre::test
