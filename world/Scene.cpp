#include "world/Scene.h"

#include <algorithm>

#include "data/Map.h"
#include "gfx/Input.h"
#include "world/Actor.h"
#include "world/ActorView.h"

namespace ocre {

namespace {
Scene* current = nullptr;
}

void setCurrentScene(Scene* scene) { current = scene; }
Scene* currentScene() { return current; }

Scene::Scene(uint32_t screenWidth, uint32_t screenHeight, Map* map, Display* display)
    : screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      mapWidth_(map ? map->pixelWidth() : 0),
      mapHeight_(map ? map->pixelHeight() : 0),
      shared_(kSharedListCapacity, kSharedListGrowth),
      map_(map),
      display_(display) {}

Scene::~Scene() {
    if (current == this) current = nullptr;
}

void Scene::addActor(std::unique_ptr<Actor> actor) {
    shared_.insert(actor.get());
    owned_.push_back(std::move(actor));
}

void Scene::registerView(ActorView* view) {
    views_.append(view);
    for (auto& slot : privateLists_) {
        if (!slot) {
            slot = std::make_unique<ActorList>(kSharedListCapacity, kSharedListGrowth, view->clientNumber());
            return;
        }
    }
}

void Scene::moveActorToPrivateList(Actor* actor, uint32_t clientNumber) {
    for (auto& slot : privateLists_) {
        if (slot && slot->clientNumber() == clientNumber) {
            slot->insert(actor);
            shared_.remove(actor);
            return;
        }
    }
}

void Scene::scenePass() {
    pollInput();
    const int32_t n = shared_.count();
    for (int32_t i = 0; i < n; ++i) shared_.at(i)->update();
    for (auto& slot : privateLists_) {
        if (!slot) continue;
        for (int32_t i = 0; i < slot->count(); ++i) slot->at(i)->update();
    }
    for (int32_t i = 0; i < views_.count(); ++i) views_.at(i)->refresh();
    endFrameInput();
}

void Scene::releasePrivateLists() {
    for (auto& slot : privateLists_) {
        if (!slot) continue;
        for (int32_t i = 0; i < slot->count(); ++i) {
            Actor* actor = slot->at(i);
            auto owner = std::find_if(owned_.begin(), owned_.end(), [actor](const auto& p) { return p.get() == actor; });
            if (owner != owned_.end()) owned_.erase(owner);
        }
        slot.reset();
    }
}

}  // namespace ocre
