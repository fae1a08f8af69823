#pragma once
// Maps built in memory, without tile or map files.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "data/Map.h"
#include "gfx/Tile.h"

namespace ocre::test {

// cols x rows cells of the given size, each naming one of three tiles:
// 0 walkable, 1 blocked, 2 with the walkable byte 2 (not walkable either).
inline std::unique_ptr<Map> memoryMap(uint32_t cols, uint32_t rows, uint32_t tileWidth, uint32_t tileHeight,
                                      const std::vector<uint16_t>& cells) {
    std::vector<std::unique_ptr<Tile>> tiles;
    for (uint8_t walkable : {1, 0, 2}) {
        tiles.push_back(std::make_unique<Tile>());
        tiles.back()->width = tileWidth, tiles.back()->height = tileHeight, tiles.back()->walkable = walkable;
    }
    auto map = std::make_unique<Map>(std::move(tiles));
    EXPECT_TRUE(map->setGrid(cols, rows, tileWidth, tileHeight, cells)) << "test map refused";
    return map;
}

}  // namespace ocre::test
