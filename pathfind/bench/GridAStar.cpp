#include "pathfind/bench/GridAStar.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

namespace ocre {

namespace {

constexpr int32_t kStraight = 10;
constexpr int32_t kDiagonal = 14;
constexpr int32_t kUnreached = std::numeric_limits<int32_t>::max();

struct Step {
    int dc;
    int dr;
};
constexpr Step kSteps[8] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

}  // namespace

std::vector<CellPosition> gridAStar(CellPosition start, CellPosition goal, int cols, int rows,
                                    const std::vector<uint8_t>& walkable) {
    auto inside = [&](int c, int r) { return c >= 0 && c < cols && r >= 0 && r < rows; };
    if (!inside(start.col, start.row) || !inside(goal.col, goal.row)) return {};
    const size_t cells = static_cast<size_t>(cols) * rows;
    std::vector<int32_t> g(cells, kUnreached);
    std::vector<int32_t> parent(cells, -1);
    std::vector<uint8_t> closed(cells, 0);
    auto index = [&](int c, int r) { return static_cast<size_t>(r) * cols + c; };
    auto estimate = [&](int c, int r) { return 10 * (std::abs(c - goal.col) + std::abs(r - goal.row)); };
    auto free = [&](int c, int r) { return inside(c, r) && walkable[index(c, r)] != 0; };

    using Entry = std::pair<int32_t, int32_t>;  // f, cell
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    const size_t startCell = index(start.col, start.row);
    const size_t goalCell = index(goal.col, goal.row);
    g[startCell] = 0;
    open.push({estimate(start.col, start.row), static_cast<int32_t>(startCell)});
    while (!open.empty()) {
        const auto [f, cell] = open.top();
        open.pop();
        if (closed[cell]) continue;
        closed[cell] = 1;
        if (static_cast<size_t>(cell) == goalCell) break;
        const int c = cell % cols;
        const int r = cell / cols;
        for (const Step& step : kSteps) {
            const int nc = c + step.dc;
            const int nr = r + step.dr;
            if (!free(nc, nr)) continue;
            const bool diagonal = step.dc != 0 && step.dr != 0;
            if (diagonal && (!free(c + step.dc, r) || !free(c, r + step.dr))) continue;
            const size_t next = index(nc, nr);
            const int32_t newG = g[cell] + (diagonal ? kDiagonal : kStraight);
            if (newG >= g[next]) continue;
            g[next] = newG;
            parent[next] = cell;
            closed[next] = 0;
            open.push({newG + estimate(nc, nr), static_cast<int32_t>(next)});
        }
    }
    if (!closed[goalCell]) return {};
    std::vector<CellPosition> route;
    for (int32_t at = static_cast<int32_t>(goalCell); at != -1; at = parent[at])
        route.push_back(CellPosition{at % cols, at / cols});
    std::reverse(route.begin(), route.end());
    return route;
}

}  // namespace ocre
