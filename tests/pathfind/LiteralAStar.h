#pragma once
// The reference for the path finder's tests: the game's A* written the
// plain way, step by step, with linear scans of the open and closed lists,
// removal from the middle by shifting, and the game's own heap moves. The
// one difference from the game's search: every node lives until the search
// ends, so a parent link never names a node that has been let go.

#include <cstdint>
#include <vector>

#include "pathfind/PathFinder.h"

namespace ocre {
class Map;
}

namespace ocre::test {

struct LiteralSearchCounts {
    int closedReopened = 0;  // closed nodes replaced by a cheaper one
    int openReplaced = 0;    // open nodes replaced by a cheaper one
};

std::vector<CellPosition> literalFindCells(CellPosition start, CellPosition goal, const Map& map,
                                           LiteralSearchCounts* counts = nullptr);

}  // namespace ocre::test
