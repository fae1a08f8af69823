#include "pathfind/PathFinder.h"

#include <cstdlib>
#include <limits>
#include <new>

#include "data/Map.h"

namespace ocre {

namespace {

constexpr int64_t kStraightCost = 10;
constexpr int64_t kDiagonalCost = 14;
constexpr int64_t kEstimateWeight = 10;
constexpr uint8_t kWalkableTile = 1;

constexpr int32_t kNoNode = -1;
constexpr int32_t kExpanded = -1;  // heap position of a node that left the open list
constexpr size_t kMaxNodes = static_cast<size_t>(std::numeric_limits<int32_t>::max());

enum class Walkability : uint8_t { Unknown, Walkable, Blocked };

// The map that the running search reads. Process-wide by design: the game
// runs one search at a time, on the main thread.
const Map* currentSearchMap = nullptr;

int64_t estimate(int64_t col, int64_t row, const CellPosition& goal) {
    return kEstimateWeight * (std::llabs(col - goal.col) + std::llabs(row - goal.row));
}

// Costs are 64-bit so that no start cell, however far outside the map,
// can overflow them.
struct SearchNode {
    int64_t g;
    int64_t f;
    int32_t col;
    int32_t row;
    int32_t parent;     // arena index of the node this one was reached from
    int32_t heapIndex;  // position in the open list, or kExpanded
};

// One search, start to end. Every node it creates stays in the arena until
// the search ends, so a parent link always reads the node it was made from,
// even after a better node for that cell has replaced it. The per-cell index
// names the newest node of each cell: at most one node per cell is ever on
// the open or the closed list, which makes every membership test a lookup.
//
// The open list keeps the exact move order of the game's binary heap, ties
// included: which of several equal-f nodes comes out first decides the
// route, so Push, Pop and Rebuild below must not be swapped for another heap.
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
        push(first);
        while (!open_.empty()) {
            const int32_t current = pop();
            SearchNode& node = nodes_[current];
            node.heapIndex = kExpanded;
            if (node.col == goal_.col && node.row == goal_.row) return solutionEndingAt(current);
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
            const Tile* tile = currentSearchMap->cell(static_cast<uint32_t>(col), static_cast<uint32_t>(row));
            known = tile != nullptr && tile->walkable == kWalkableTile ? Walkability::Walkable : Walkability::Blocked;
        }
        return known == Walkability::Walkable;
    }

    int32_t createNode(int64_t col, int64_t row, int64_t g, int32_t parent) {
        SearchNode node;
        node.g = g;
        node.f = g + estimate(col, row, goal_);
        node.col = static_cast<int32_t>(col);
        node.row = static_cast<int32_t>(row);
        node.parent = parent;
        node.heapIndex = kExpanded;
        nodes_.push_back(node);
        return static_cast<int32_t>(nodes_.size() - 1);
    }

    // The successors in the game's order: the four straight neighbours, then
    // the four diagonals, each diagonal only with both cells beside it free.
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
        auto offer = [&](int64_t col, int64_t row, bool allowed, int64_t stepCost) {
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

    void consider(int32_t parent, int64_t col, int64_t row, int64_t g) {
        const size_t cell = cellIndex(col, row);
        const int32_t existing = newestNodeOfCell_[cell];
        if (existing != kNoNode && nodes_[existing].g <= g) return;
        // Like a node that cannot be allocated, a successor beyond the
        // arena's index range is left out.
        if (nodes_.size() >= kMaxNodes) return;
        const int32_t successor = createNode(col, row, g, parent);
        if (existing != kNoNode && nodes_[existing].heapIndex != kExpanded) {
            removeFromOpen(static_cast<size_t>(nodes_[existing].heapIndex));
        }
        newestNodeOfCell_[cell] = successor;
        push(successor);
    }

    std::vector<CellPosition> solutionEndingAt(int32_t last) const {
        std::vector<CellPosition> cells;
        for (int32_t at = last; at != kNoNode; at = nodes_[at].parent) {
            cells.push_back(CellPosition{nodes_[at].col, nodes_[at].row});
        }
        return std::vector<CellPosition>(cells.rbegin(), cells.rend());
    }

    int64_t f(int32_t node) const { return nodes_[node].f; }

    void place(size_t position, int32_t node) {
        open_[position] = node;
        nodes_[node].heapIndex = static_cast<int32_t>(position);
    }

    // Moves the node up from the hole while its parent's f is strictly
    // larger, never above top.
    void siftUp(size_t hole, int32_t node, size_t top) {
        const int64_t nodeF = f(node);
        while (hole > top) {
            const size_t parent = (hole - 1) / 2;
            if (!(f(open_[parent]) > nodeF)) break;
            place(hole, open_[parent]);
            hole = parent;
        }
        place(hole, node);
    }

    // Moves the hole down to the bottom of a heap of count entries, always
    // into the right child unless the left one's f is strictly smaller.
    size_t sinkToBottom(size_t hole, size_t count) {
        size_t child = 2 * hole + 2;
        while (child < count) {
            if (f(open_[child]) > f(open_[child - 1])) --child;
            place(hole, open_[child]);
            hole = child;
            child = 2 * hole + 2;
        }
        if (child == count) {
            place(hole, open_[count - 1]);
            hole = count - 1;
        }
        return hole;
    }

    void push(int32_t node) {
        open_.push_back(node);
        siftUp(open_.size() - 1, node, 0);
    }

    int32_t pop() {
        const int32_t smallest = open_.front();
        const int32_t last = open_.back();
        open_.pop_back();
        if (!open_.empty()) siftUp(sinkToBottom(0, open_.size()), last, 0);
        return smallest;
    }

    // The game removes from the middle by shifting the later entries down
    // and rebuilding the whole heap; swapping in the last entry instead
    // would order equal-f nodes differently.
    void removeFromOpen(size_t position) {
        open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(position));
        for (size_t i = position; i < open_.size(); ++i) nodes_[open_[i]].heapIndex = static_cast<int32_t>(i);
        rebuild();
    }

    void rebuild() {
        const size_t count = open_.size();
        if (count < 2) return;
        for (size_t s = count / 2; s-- > 0;) {
            const int32_t node = open_[s];
            siftUp(sinkToBottom(s, count), node, s);
        }
    }

    const int64_t cols_;
    const int64_t rows_;
    const CellPosition start_;
    const CellPosition goal_;
    std::vector<SearchNode> nodes_;
    std::vector<int32_t> newestNodeOfCell_;
    std::vector<Walkability> walkability_;
    std::vector<int32_t> open_;
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
