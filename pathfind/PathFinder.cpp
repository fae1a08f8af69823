#include "pathfind/PathFinder.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>

#include "data/Map.h"
#include "pathfind/OpenList.h"

namespace ocre {

namespace {

constexpr int32_t kStraightCost = 10;
constexpr int32_t kDiagonalCost = 14;
constexpr int32_t kEstimateWeight = 10;

// Every generated cell lies on the map, and a parent chain never visits a
// cell twice, so costs and estimates stay far inside 32 bits.
static_assert(kDiagonalCost * (kMaxMapCells + 1) + kEstimateWeight * 2 * kMaxMapCells <
                  static_cast<uint64_t>(std::numeric_limits<int32_t>::max()),
              "path costs must fit in 32 bits");

constexpr int32_t kNoNode = -1;
// How many cells the fill around the goal may visit before the search
// proceeds anyway: a few microseconds, small against a turn. The fill runs
// once the search has expanded as many nodes without reaching the goal.
constexpr size_t kPocketFillBudget = 512;
constexpr size_t kMaxNodes = static_cast<size_t>(std::numeric_limits<int32_t>::max());

enum class Walkability : uint8_t { Unknown, Walkable, Blocked };

// The map that the running search reads. Process-wide by design: the game
// runs one search at a time, on the main thread.
const Map* currentSearchMap = nullptr;

struct SearchNode {
    int32_t g;
    int32_t col;
    int32_t row;
    int32_t parent;  // arena index of the node this one was reached from
};

// One search, start to end. Every node it creates stays in the arena until
// the search ends, so a parent link always reads the node it was made from,
// even after a cheaper node for that cell has replaced it. The per-cell
// index names the newest node of each cell: at most one node per cell is
// ever on the open or the closed list, so every membership test is a
// lookup, and a node of that index that is not on the open list is closed.
class PathSearch {
public:
    PathSearch(CellPosition start, CellPosition goal)
        : cols_(currentSearchMap->cols()), rows_(currentSearchMap->rows()), start_(start), goal_(goal) {
        const size_t cells = static_cast<size_t>(cols_ * rows_);
        newestNodeOfCell_.assign(cells, kNoNode);
        walkability_.assign(cells, Walkability::Unknown);
    }

    std::vector<CellPosition> run() {
        if (start_ != goal_ && !walkable(goal_.col, goal_.row)) {
            // Only walkable cells are ever generated, so the goal can come
            // out of the open list only as the start: exploring every
            // reachable cell would end the same way, with no route.
            return {};
        }
        const int32_t first = createNode(start_.col, start_.row, 0, kNoNode);
        if (insideGrid(start_.col, start_.row)) newestNodeOfCell_[cellIndex(start_.col, start_.row)] = first;
        // The start is alone on the open list when it is popped, so its f
        // (huge for a start far off the map) is never compared.
        open_.push(first, 0);
        for (size_t expanded = 0; !open_.empty(); ++expanded) {
            const int32_t current = open_.pop();
            if (nodes_[current].col == goal_.col && nodes_[current].row == goal_.row) {
                return solutionEndingAt(current);
            }
            // Most searches end long before this; only one that keeps going
            // pays for the check, which then costs no more than its work so far.
            if (expanded == kPocketFillBudget && goalSealedAwayFromStart()) return {};
            expand(current);
        }
        return {};
    }

private:
    bool insideGrid(int64_t col, int64_t row) const { return col >= 0 && col < cols_ && row >= 0 && row < rows_; }
    size_t cellIndex(int64_t col, int64_t row) const { return static_cast<size_t>(row * cols_ + col); }

    bool walkable(int64_t col, int64_t row) {
        if (!insideGrid(col, row)) return false;
        Walkability& known = walkability_[cellIndex(col, row)];
        if (known == Walkability::Unknown) {
            known = currentSearchMap->cellWalkable(static_cast<int32_t>(col), static_cast<int32_t>(row))
                        ? Walkability::Walkable
                        : Walkability::Blocked;
        }
        return known == Walkability::Walkable;
    }

    // A goal walled into a pocket that the start is not in: the search would
    // expand every cell reachable from the start before giving up,
    // rebuilding the open list at each cheaper path found, which on a large
    // open map takes a tenth of a second. The moves are symmetric between
    // walkable cells (a diagonal needs the same two cells beside it either
    // way), so a fill from the goal that runs out of cells without meeting a
    // walkable start proves there is no route: the same answer, found at once.
    bool goalSealedAwayFromStart() {
        if (start_ == goal_ || !walkable(start_.col, start_.row)) return false;
        std::vector<uint8_t> seen(static_cast<size_t>(cols_ * rows_), 0);
        std::vector<CellPosition> pending{goal_};
        seen[cellIndex(goal_.col, goal_.row)] = 1;
        for (size_t visited = 0; !pending.empty(); ++visited) {
            if (visited == kPocketFillBudget) return false;
            const CellPosition cell = pending.back();
            pending.pop_back();
            for (int64_t dy = -1; dy <= 1; ++dy) {
                for (int64_t dx = -1; dx <= 1; ++dx) {
                    const int64_t col = cell.col + dx;
                    const int64_t row = cell.row + dy;
                    if ((dx == 0 && dy == 0) || !walkable(col, row)) continue;
                    if (dx != 0 && dy != 0 && !(walkable(cell.col + dx, cell.row) && walkable(cell.col, cell.row + dy)))
                        continue;
                    if (col == start_.col && row == start_.row) return false;
                    if (seen[cellIndex(col, row)] != 0) continue;
                    seen[cellIndex(col, row)] = 1;
                    pending.push_back(CellPosition{static_cast<int32_t>(col), static_cast<int32_t>(row)});
                }
            }
        }
        return true;
    }

    int32_t estimate(int64_t col, int64_t row) const {
        return static_cast<int32_t>(kEstimateWeight * (std::llabs(col - goal_.col) + std::llabs(row - goal_.row)));
    }

    int32_t createNode(int64_t col, int64_t row, int32_t g, int32_t parent) {
        nodes_.push_back(SearchNode{g, static_cast<int32_t>(col), static_cast<int32_t>(row), parent});
        return static_cast<int32_t>(nodes_.size() - 1);
    }

    // The successors in the game's order: the four straight neighbours, then
    // the four diagonals, each diagonal only with both cells beside it free.
    // The cell the node was reached from is skipped.
    void expand(int32_t current) {
        const SearchNode node = nodes_[current];
        const int64_t x = node.col;
        const int64_t y = node.row;
        const bool hasParent = node.parent != kNoNode;
        const int64_t skipCol = hasParent ? nodes_[node.parent].col : 0;
        const int64_t skipRow = hasParent ? nodes_[node.parent].row : 0;
        const bool left = walkable(x - 1, y);
        const bool up = walkable(x, y - 1);
        const bool right = walkable(x + 1, y);
        const bool down = walkable(x, y + 1);
        auto offer = [&](int64_t col, int64_t row, bool allowed, int32_t stepCost) {
            if (!allowed || (hasParent && col == skipCol && row == skipRow)) return;
            consider(current, col, row, node.g + stepCost);
        };
        offer(x - 1, y, left, kStraightCost);
        offer(x, y - 1, up, kStraightCost);
        offer(x + 1, y, right, kStraightCost);
        offer(x, y + 1, down, kStraightCost);
        offer(x - 1, y - 1, left && up && walkable(x - 1, y - 1), kDiagonalCost);
        offer(x + 1, y - 1, right && up && walkable(x + 1, y - 1), kDiagonalCost);
        offer(x - 1, y + 1, left && down && walkable(x - 1, y + 1), kDiagonalCost);
        offer(x + 1, y + 1, right && down && walkable(x + 1, y + 1), kDiagonalCost);
    }

    // A successor is kept only if its cell has no node yet, or only one
    // reached at a strictly higher cost; that node, open or closed, then
    // gives way to it.
    void consider(int32_t parent, int64_t col, int64_t row, int32_t g) {
        const size_t cell = cellIndex(col, row);
        const int32_t existing = newestNodeOfCell_[cell];
        if (existing != kNoNode && nodes_[existing].g <= g) return;
        // Like a node that cannot be allocated, a successor beyond the
        // arena's index range is left out.
        if (nodes_.size() >= kMaxNodes) return;
        const int32_t successor = createNode(col, row, g, parent);
        if (existing != kNoNode && open_.contains(existing)) open_.remove(existing);
        newestNodeOfCell_[cell] = successor;
        open_.push(successor, g + estimate(col, row));
    }

    std::vector<CellPosition> solutionEndingAt(int32_t last) const {
        std::vector<CellPosition> cells;
        for (int32_t at = last; at != kNoNode; at = nodes_[at].parent) {
            cells.push_back(CellPosition{nodes_[at].col, nodes_[at].row});
        }
        std::reverse(cells.begin(), cells.end());
        return cells;
    }

    const int64_t cols_;
    const int64_t rows_;
    const CellPosition start_;
    const CellPosition goal_;
    std::vector<SearchNode> nodes_;
    std::vector<int32_t> newestNodeOfCell_;
    std::vector<Walkability> walkability_;
    OpenList open_;
};

// The waypoint formulas work in the map's unsigned 32-bit tile sizes; a
// cell outside the map wraps the same way here, without overflow.
int32_t wrapTo32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

}  // namespace

std::vector<CellPosition> findCells(int32_t startCol, int32_t startRow, int32_t goalCol, int32_t goalRow,
                                    const Map& map) {
    currentSearchMap = &map;
    try {
        PathSearch search(CellPosition{startCol, startRow}, CellPosition{goalCol, goalRow});
        return search.run();
    } catch (const std::bad_alloc&) {
        // Out of memory for the search's tables: no route, as for a goal
        // that cannot be reached.
        return {};
    }
}

Waypoints findPath(int32_t startCol, int32_t startRow, int32_t goalCol, int32_t goalRow, const Map& map) {
    const std::vector<CellPosition> cells = findCells(startCol, startRow, goalCol, goalRow, map);
    const int64_t tileWidth = map.tileWidth();
    const int64_t tileHeight = map.tileHeight();
    Waypoints waypoints;
    try {
        waypoints.xs.reserve(cells.size());
        waypoints.ys.reserve(cells.size());
    } catch (const std::bad_alloc&) {
        return {};
    }
    for (const CellPosition& cell : cells) {
        waypoints.xs.push_back(wrapTo32(tileWidth / 2 + cell.col * tileWidth));
        waypoints.ys.push_back(wrapTo32(cell.row * tileHeight - tileHeight / 2));
    }
    return waypoints;
}

}  // namespace ocre
