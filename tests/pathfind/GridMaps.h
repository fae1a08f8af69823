#pragma once
// Maps built in memory from text for the path finder's tests: '.' is a
// walkable cell, '#' a blocked one, 'x' a tile whose walkable byte is
// neither 0 nor 1 (which does not count as walkable).

#include <memory>
#include <string>
#include <vector>

#include "data/Map.h"

namespace ocre::test {

std::unique_ptr<Map> gridMap(const std::vector<std::string>& rows, uint32_t tileWidth = 32, uint32_t tileHeight = 32);

}  // namespace ocre::test
