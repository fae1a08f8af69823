#pragma once
// The game's heap moves written out step by step (move the hole to the
// bottom, then sift back up), over any item type with an f accessor: the
// reference for the open list's tests and for the literal search.

#include <cstddef>
#include <vector>

namespace ocre::test {

// Sifts item up from hole while the parent's f is strictly larger, never
// above top; stores it.
template <typename T, typename F>
void literalSiftUp(std::vector<T>& heap, size_t hole, size_t top, T item, F f) {
    while (hole > top) {
        const size_t parent = (hole - 1) / 2;
        if (f(heap[parent]) > f(item)) {
            heap[hole] = heap[parent];
            hole = parent;
        } else {
            break;
        }
    }
    heap[hole] = item;
}

// Moves the hole from hole to the bottom of the first count entries: the
// right child unless the left child's f is strictly smaller.
template <typename T, typename F>
size_t literalHoleToBottom(std::vector<T>& heap, size_t hole, size_t count, F f) {
    size_t c = 2 * hole + 2;
    while (c < count) {
        if (f(heap[c]) > f(heap[c - 1])) c = c - 1;
        heap[hole] = heap[c];
        hole = c;
        c = 2 * hole + 2;
    }
    if (c == count) {
        heap[hole] = heap[count - 1];
        hole = count - 1;
    }
    return hole;
}

template <typename T, typename F>
void literalPush(std::vector<T>& heap, T item, F f) {
    heap.push_back(item);
    literalSiftUp(heap, heap.size() - 1, 0, item, f);
}

template <typename T, typename F>
T literalPop(std::vector<T>& heap, F f) {
    T result = heap[0];
    T last = heap.back();
    heap.pop_back();
    if (!heap.empty()) literalSiftUp(heap, literalHoleToBottom(heap, 0, heap.size(), f), 0, last, f);
    return result;
}

template <typename T, typename F>
void literalRebuild(std::vector<T>& heap, F f) {
    const size_t count = heap.size();
    if (count < 2) return;
    for (size_t s = count / 2; s-- > 0;) {
        T item = heap[s];
        literalSiftUp(heap, literalHoleToBottom(heap, s, count, f), s, item, f);
    }
}

// Removes the entry at position by shifting the later ones down, then
// rebuilds.
template <typename T, typename F>
void literalRemoveAt(std::vector<T>& heap, size_t position, F f) {
    heap.erase(heap.begin() + static_cast<std::ptrdiff_t>(position));
    literalRebuild(heap, f);
}

}  // namespace ocre::test
