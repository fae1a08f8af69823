#pragma once
// The path finder's open list: a binary min-heap on f over node numbers.
// It moves its entries exactly as the game's heap does, ties included,
// because the order in which equal-f nodes come out decides the route:
// Push sifts up past strictly larger parents, Pop and Rebuild take the
// right child unless the left one is strictly smaller, and a node removed
// from the middle shifts the later entries down before the whole heap is
// rebuilt.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ocre {

class OpenList {
public:
    bool empty() const { return entries_.empty(); }
    size_t size() const { return entries_.size(); }
    bool contains(int32_t node) const;
    // node must not be in the list; node numbers are small and non-negative.
    void push(int32_t node, int32_t f);
    // The node at the top (least f); the list must not be empty.
    int32_t pop();
    // node must be in the list.
    void remove(int32_t node);

private:
    struct Entry {
        int32_t f;
        int32_t node;
    };

    void place(size_t position, Entry entry);
    void siftUp(size_t hole, Entry entry);
    void siftDown(size_t hole, Entry entry, size_t count);
    void rebuild();

    std::vector<Entry> entries_;
    // Per node number: an upper bound on its position (exact after every
    // move), or a mark that it is not in the list.
    std::vector<int32_t> positionOfNode_;
};

}  // namespace ocre
