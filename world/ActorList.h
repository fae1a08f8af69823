#pragma once
// A depth-sorted list of actors: an actor comes after every actor of
// smaller depth and, among equal depths, before those inserted earlier.
// It grows by a fixed step while one entry is still free.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ocre {

class Actor;

class ActorList {
public:
    ActorList(int32_t capacity, int32_t growth, uint32_t clientNumber = 0);

    void insert(Actor* actor);
    // Removes the first entry holding the actor; false if it is not here.
    bool remove(const Actor* actor);

    int32_t count() const { return static_cast<int32_t>(items_.size()); }
    int32_t capacity() const { return capacity_; }
    Actor* at(int32_t index) const { return items_[static_cast<size_t>(index)]; }
    uint32_t clientNumber() const { return clientNumber_; }

private:
    uint32_t clientNumber_;
    int32_t capacity_;
    int32_t growth_;
    std::vector<Actor*> items_;
};

}  // namespace ocre
