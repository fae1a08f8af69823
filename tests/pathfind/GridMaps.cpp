#include "tests/pathfind/GridMaps.h"

#include "tests/support/MemoryMap.h"

namespace ocre::test {

std::unique_ptr<Map> gridMap(const std::vector<std::string>& rows, uint32_t tileWidth, uint32_t tileHeight) {
    std::vector<uint16_t> indices;
    for (const std::string& row : rows)
        for (char c : row) indices.push_back(c == '#' ? 1 : c == 'x' ? 2 : 0);
    return memoryMap(static_cast<uint32_t>(rows.front().size()), static_cast<uint32_t>(rows.size()), tileWidth,
                     tileHeight, indices);
}

}  // namespace ocre::test
