#include "pathfind/OpenList.h"

#include <algorithm>

namespace ocre {

namespace {

constexpr int32_t kAbsent = -1;

}  // namespace

bool OpenList::contains(int32_t node) const {
    return static_cast<size_t>(node) < positionOfNode_.size() && positionOfNode_[node] != kAbsent;
}

void OpenList::push(int32_t node, int32_t f) {
    if (static_cast<size_t>(node) >= positionOfNode_.size()) {
        positionOfNode_.resize(std::max(static_cast<size_t>(node) + 1, 2 * positionOfNode_.size()), kAbsent);
    }
    const Entry entry{f, node};
    entries_.push_back(entry);
    siftUp(entries_.size() - 1, entry);
}

int32_t OpenList::pop() {
    const int32_t top = entries_.front().node;
    const Entry last = entries_.back();
    entries_.pop_back();
    if (!entries_.empty()) siftDown(0, last, entries_.size());
    positionOfNode_[top] = kAbsent;
    return top;
}

void OpenList::remove(int32_t node) {
    // Shifting the later entries down leaves their recorded positions one
    // too high; rather than rewrite them all at every removal, a recorded
    // position is kept as an upper bound (every move records the exact
    // one) and the entry is looked for from there downwards.
    size_t position = std::min(static_cast<size_t>(positionOfNode_[node]), entries_.size() - 1);
    while (entries_[position].node != node) --position;
    positionOfNode_[node] = kAbsent;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    rebuild();
}

void OpenList::place(size_t position, Entry entry) {
    entries_[position] = entry;
    positionOfNode_[entry.node] = static_cast<int32_t>(position);
}

void OpenList::siftUp(size_t hole, Entry entry) {
    while (hole > 0) {
        const size_t parent = (hole - 1) / 2;
        if (!(entries_[parent].f > entry.f)) break;
        place(hole, entries_[parent]);
        hole = parent;
    }
    place(hole, entry);
}

// The game's Pop and Rebuild move the hole all the way to the bottom and
// then sift the displaced entry back up. Below the hole both subtrees are
// heaps, so the entries along the hole's path are sorted, and the entry
// comes to rest just below the last of them whose f is not larger than its
// own. siftDown stops there directly: the same array, fewer moves.
void OpenList::siftDown(size_t hole, Entry entry, size_t count) {
    for (;;) {
        size_t child = 2 * hole + 2;
        if (child < count) {
            child -= entries_[child].f > entries_[child - 1].f ? 1 : 0;
        } else if (child == count) {
            child = count - 1;
        } else {
            break;
        }
        if (entries_[child].f > entry.f) break;
        place(hole, entries_[child]);
        hole = child;
    }
    place(hole, entry);
}

void OpenList::rebuild() {
    const size_t count = entries_.size();
    if (count < 2) return;
    for (size_t s = count / 2; s-- > 0;) {
        // Most entries already lie above both children and stay put.
        const size_t right = 2 * s + 2;
        const int32_t leftF = entries_[right - 1].f;
        const int32_t childF = right < count ? std::min(entries_[right].f, leftF) : leftF;
        if (childF <= entries_[s].f) siftDown(s, entries_[s], count);
    }
}

}  // namespace ocre
