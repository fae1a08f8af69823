#include "world/ActorList.h"

#include "world/Actor.h"

namespace ocre {

ActorList::ActorList(int32_t capacity, int32_t growth, uint32_t clientNumber)
    : clientNumber_(clientNumber), capacity_(capacity), growth_(growth) {
    items_.reserve(static_cast<size_t>(capacity_ > 0 ? capacity_ : 0));
}

void ActorList::insert(Actor* actor) {
    size_t position = 0;
    for (size_t i = items_.size(); i > 0; --i) {
        if (items_[i - 1]->depth < actor->depth) {
            position = i;
            break;
        }
    }
    if (count() == capacity_ - 1) {
        capacity_ += growth_;
        items_.reserve(static_cast<size_t>(capacity_));
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), actor);
}

bool ActorList::remove(const Actor* actor) {
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if (*it == actor) {
            items_.erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace ocre
