#pragma once
// The growable list of references shared by the client table, the
// dialogue tree and the scene's client views: it grows by a fixed step when an append finds it full,
// and a removal shifts the later entries down, keeping their order.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace ocre {

template <typename T>
class PointerList {
public:
    PointerList(int32_t capacity = 10, int32_t growth = 5) : capacity_(capacity), growth_(growth) {
        items_.reserve(static_cast<size_t>(capacity_ > 0 ? capacity_ : 0));
    }

    void append(T* item) {
        growWhenFull();
        items_.push_back(item);
    }

    void removeAt(int32_t index) {
        if (index >= 0 && index < count()) items_.erase(items_.begin() + index);
    }

    void insertAt(int32_t index, T* item) {
        growWhenFull();
        items_.insert(items_.begin() + index, item);
    }

    void clear() { items_.clear(); }

    int32_t count() const { return static_cast<int32_t>(items_.size()); }
    int32_t capacity() const { return capacity_; }
    int32_t growth() const { return growth_; }
    T* at(int32_t index) const { return items_[static_cast<size_t>(index)]; }

    typename std::vector<T*>::const_iterator begin() const { return items_.begin(); }
    typename std::vector<T*>::const_iterator end() const { return items_.end(); }

private:
    // The capacity grows by the step, as the list's record says; the storage
    // under it at least doubles, so that a list appended to many times (a
    // dialogue line can ask for thousands of children) costs no more than
    // linear time instead of copying everything at every step.
    void growWhenFull() {
        if (count() != capacity_) return;
        capacity_ += growth_;
        if (items_.capacity() < static_cast<size_t>(capacity_))
            items_.reserve(std::max(static_cast<size_t>(capacity_), 2 * items_.capacity()));
    }

    int32_t capacity_;
    int32_t growth_;
    std::vector<T*> items_;
};

}  // namespace ocre
