#pragma once
// The simulated world: the depth-sorted shared actor list, the client views
// refreshed every pass, and up to 300 private actor lists, one per
// registered client number. One scene per process is "current": actors
// reach the map and the display through it.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/PointerList.h"
#include "world/ActorList.h"

namespace ocre {

class Actor;
class ActorView;
class Display;
class Map;

constexpr int kPrivateListSlots = 300;
constexpr int32_t kSharedListCapacity = 1000;
constexpr int32_t kSharedListGrowth = 500;
constexpr int32_t kViewListCapacity = 10;
constexpr int32_t kViewListGrowth = 5;

class Scene {
public:
    Scene(uint32_t screenWidth, uint32_t screenHeight, Map* map, Display* display);
    ~Scene();

    // Takes ownership of the actor and inserts it into the shared list.
    void addActor(std::unique_ptr<Actor> actor);
    // Appends the view (not owned) and gives its client number a private list.
    void registerView(ActorView* view);
    // Into the first private list of that client number, out of the shared
    // list; nothing at all if no private list has the number. No actor of
    // this game is private; the lists serve actors only one client sees.
    void moveActorToPrivateList(Actor* actor, uint32_t clientNumber);
    // One turn: poll input, update shared then private actors, refresh the
    // views, end the turn's input.
    void scenePass();
    // Destroys the actors of every private list and the lists themselves.
    void releasePrivateLists();

    const ActorList& sharedList() const { return shared_; }
    int32_t sharedCount() const { return shared_.count(); }
    Actor* sharedActor(int32_t index) const { return shared_.at(index); }
    const ActorList* privateList(int slot) const { return privateLists_[static_cast<size_t>(slot)].get(); }
    int32_t viewCount() const { return views_.count(); }
    ActorView* view(int32_t index) const { return views_.at(index); }

    uint32_t screenWidth() const { return screenWidth_; }
    uint32_t screenHeight() const { return screenHeight_; }
    uint32_t mapWidth() const { return mapWidth_; }
    uint32_t mapHeight() const { return mapHeight_; }
    Map* map() const { return map_; }
    Display* display() const { return display_; }

private:
    uint32_t screenWidth_;
    uint32_t screenHeight_;
    uint32_t mapWidth_;
    uint32_t mapHeight_;
    ActorList shared_;
    PointerList<ActorView> views_{kViewListCapacity, kViewListGrowth};
    std::array<std::unique_ptr<ActorList>, kPrivateListSlots> privateLists_;
    Map* map_;
    Display* display_;
    std::vector<std::unique_ptr<Actor>> owned_;
};

void setCurrentScene(Scene* scene);
Scene* currentScene();

}  // namespace ocre
