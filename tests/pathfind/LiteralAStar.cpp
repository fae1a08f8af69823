#include "tests/pathfind/LiteralAStar.h"

#include <cstdlib>
#include <memory>

#include "data/Map.h"
#include "tests/pathfind/LiteralHeap.h"

namespace ocre::test {

namespace {

struct Node {
    Node* parent = nullptr;
    Node* child = nullptr;
    int64_t g = 0;
    int64_t h = 0;
    int64_t f = 0;
    int32_t col = 0;
    int32_t row = 0;
};

enum class State { NotStarted, Searching, Succeeded, Failed };

class LiteralSearch {
public:
    LiteralSearch(const Map& map, LiteralSearchCounts& counts) : map_(map), counts_(counts) {}

    std::vector<CellPosition> run(CellPosition startCell, CellPosition goalCell) {
        state_ = State::NotStarted;
        start_ = newNode(startCell.col, startCell.row);
        goal_ = newNode(goalCell.col, goalCell.row);
        state_ = State::Searching;
        start_->g = 0;
        start_->h = estimate(start_, goal_);
        start_->f = start_->h;
        push(start_);
        while (searchStep() == State::Searching) {
        }
        std::vector<CellPosition> route;
        if (state_ != State::Succeeded) return route;
        for (Node* n = start_; n != nullptr; n = n->child) {
            route.push_back(CellPosition{n->col, n->row});
            if (n->child == nullptr) break;
        }
        return route;
    }

private:
    Node* newNode(int32_t col, int32_t row) {
        arena_.push_back(std::make_unique<Node>());
        arena_.back()->col = col;
        arena_.back()->row = row;
        return arena_.back().get();
    }

    static int64_t estimate(const Node* a, const Node* b) {
        return 10 * (std::llabs(int64_t{a->col} - b->col) + std::llabs(int64_t{a->row} - b->row));
    }
    static int64_t moveCost(const Node* a, const Node* b) {
        return std::llabs(int64_t{a->col} - b->col) + std::llabs(int64_t{a->row} - b->row) == 1 ? 10 : 14;
    }
    int cellCost(int32_t col, int32_t row) const { return map_.cellWalkable(col, row) ? 1 : 9; }
    bool walkable(int32_t col, int32_t row) const { return cellCost(col, row) < 9; }

    static bool sameCell(const Node* a, const Node* b) { return a->col == b->col && a->row == b->row; }

    static int64_t fOf(const Node* n) { return n->f; }
    void push(Node* node) { literalPush(open_, node, fOf); }
    Node* pop() { return literalPop(open_, fOf); }

    void addSuccessors(int32_t x, int32_t y, bool skip, int32_t px, int32_t py) {
        auto add = [&](int32_t col, int32_t row) {
            if (skip && col == px && row == py) return;
            successors_.push_back(newNode(col, row));
        };
        if (walkable(x - 1, y)) add(x - 1, y);
        if (walkable(x, y - 1)) add(x, y - 1);
        if (walkable(x + 1, y)) add(x + 1, y);
        if (walkable(x, y + 1)) add(x, y + 1);
        if (walkable(x - 1, y - 1) && walkable(x - 1, y) && walkable(x, y - 1)) add(x - 1, y - 1);
        if (walkable(x + 1, y - 1) && walkable(x + 1, y) && walkable(x, y - 1)) add(x + 1, y - 1);
        if (walkable(x - 1, y + 1) && walkable(x - 1, y) && walkable(x, y + 1)) add(x - 1, y + 1);
        if (walkable(x + 1, y + 1) && walkable(x + 1, y) && walkable(x, y + 1)) add(x + 1, y + 1);
    }

    State searchStep() {
        if (state_ == State::Succeeded || state_ == State::Failed) return state_;
        if (open_.empty()) {
            state_ = State::Failed;
            return state_;
        }
        Node* n = pop();
        if (sameCell(n, goal_)) {
            goal_->parent = n->parent;
            if (n != start_) {
                Node* c = goal_;
                Node* p = goal_->parent;
                do {
                    p->child = c;
                    c = p;
                    p = c->parent;
                } while (c != start_);
            }
            open_.clear();
            closed_.clear();
            state_ = State::Succeeded;
            return state_;
        }
        successors_.clear();
        if (n->parent != nullptr) {
            addSuccessors(n->col, n->row, true, n->parent->col, n->parent->row);
        } else {
            addSuccessors(n->col, n->row, false, 0, 0);
        }
        for (Node* s : successors_) {
            const int64_t newG = n->g + moveCost(n, s);
            long inOpen = -1;
            for (size_t i = 0; i < open_.size(); ++i) {
                if (sameCell(open_[i], s)) {
                    inOpen = static_cast<long>(i);
                    break;
                }
            }
            if (inOpen >= 0 && open_[static_cast<size_t>(inOpen)]->g <= newG) {
                continue;
            }
            long inClosed = -1;
            for (size_t i = 0; i < closed_.size(); ++i) {
                if (sameCell(closed_[i], s)) {
                    inClosed = static_cast<long>(i);
                    break;
                }
            }
            if (inClosed >= 0 && closed_[static_cast<size_t>(inClosed)]->g <= newG) {
                continue;
            }
            s->parent = n;
            s->g = newG;
            s->h = estimate(s, goal_);
            s->f = s->g + s->h;
            if (inClosed >= 0) {
                closed_.erase(closed_.begin() + inClosed);
                ++counts_.closedReopened;
            }
            if (inOpen >= 0) {
                literalRemoveAt(open_, static_cast<size_t>(inOpen), fOf);
                ++counts_.openReplaced;
            }
            push(s);
        }
        closed_.push_back(n);
        return state_;
    }

    const Map& map_;
    LiteralSearchCounts& counts_;
    std::vector<std::unique_ptr<Node>> arena_;
    std::vector<Node*> open_;
    std::vector<Node*> closed_;
    std::vector<Node*> successors_;
    State state_ = State::NotStarted;
    Node* start_ = nullptr;
    Node* goal_ = nullptr;
};

}  // namespace

std::vector<CellPosition> literalFindCells(CellPosition start, CellPosition goal, const Map& map,
                                           LiteralSearchCounts* counts) {
    LiteralSearchCounts ignored;
    LiteralSearch search(map, counts != nullptr ? *counts : ignored);
    return search.run(start, goal);
}

}  // namespace ocre::test
