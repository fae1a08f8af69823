#include "world/Scene.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/world/WorldTestSupport.h"
#include "world/Actor.h"
#include "world/ActorList.h"

namespace ocre {
namespace {

// Logs "U<tag><flag>" when its routine runs (every update: period 0), with
// the up command flag as it stands then, and "b" while the left button is
// held.
class LoggingActor : public Actor {
public:
    LoggingActor(const DatStructure& frames, uint32_t tag, int32_t depth, std::string* log)
        : Actor(0, frames, 0, 0, tag), log_(log) {
        this->depth = depth;
    }

protected:
    void runStateRoutine() override {
        if (log_) *log_ += "U" + std::to_string(tag) + (commandFlag(Command::Up) ? "+" : "-") +
                               (buttonDown(kLeftButton) ? "b" : "") + " ";
    }

private:
    std::string* log_;
};

class SceneTest : public test::WorldTest {
protected:
    // Adds an actor with the given tag and depth to the scene.
    Actor* add(uint32_t tag, int32_t depth = kDefaultDepth) {
        auto actor = std::make_unique<LoggingActor>(frames_, tag, depth, &log_);
        Actor* raw = actor.get();
        scene_->addActor(std::move(actor));
        return raw;
    }
    std::vector<uint32_t> sharedTags() const {
        std::vector<uint32_t> tags;
        for (int32_t i = 0; i < scene_->sharedCount(); ++i) tags.push_back(scene_->sharedActor(i)->tag);
        return tags;
    }

    DatStructure frames_ = test::makeFrames(1, 8, 8);
    std::string log_;
};

TEST_F(SceneTest, EqualDepthsPutTheNewestFirstAndDeeperActorsLast) {
    makeScene();
    for (uint32_t tag = 1; tag <= 6; ++tag) add(tag, tag == 5 ? 200 : 50);
    EXPECT_EQ(sharedTags(), (std::vector<uint32_t>{6, 4, 3, 2, 1, 5}));
}

TEST_F(SceneTest, AListGrowsWhileOneEntryIsStillFree) {
    ActorList list(4, 3);
    std::vector<std::unique_ptr<Actor>> actors;
    for (uint32_t tag = 0; tag < 4; ++tag) actors.push_back(std::make_unique<LoggingActor>(frames_, tag, 50, nullptr));
    list.insert(actors[0].get());
    list.insert(actors[1].get());
    EXPECT_EQ(list.capacity(), 4);
    list.insert(actors[2].get());
    EXPECT_EQ(list.capacity(), 4);
    list.insert(actors[3].get());  // count 3 = capacity - 1
    EXPECT_EQ(list.capacity(), 7);
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.at(0), actors[3].get());
}

TEST_F(SceneTest, MovingToANumberWithoutPrivateListChangesNothing) {
    makeScene();
    add(1);
    Actor* second = add(2);
    test::FixedView view(0, 0, 7);
    scene_->registerView(&view);
    scene_->moveActorToPrivateList(second, 1111);
    EXPECT_EQ(sharedTags(), (std::vector<uint32_t>{2, 1}));
    EXPECT_EQ(scene_->privateList(0)->count(), 0);
}

TEST_F(SceneTest, MovingAnActorOutOfTheSharedListIntoAPrivateList) {
    makeScene();
    add(1);
    Actor* second = add(2);
    test::FixedView view(0, 0, 1111);
    scene_->registerView(&view);
    ASSERT_NE(scene_->privateList(0), nullptr);
    EXPECT_EQ(scene_->privateList(0)->clientNumber(), 1111u);
    scene_->moveActorToPrivateList(second, 1111);
    EXPECT_EQ(sharedTags(), (std::vector<uint32_t>{1}));
    ASSERT_EQ(scene_->privateList(0)->count(), 1);
    EXPECT_EQ(scene_->privateList(0)->at(0), second);
}

TEST_F(SceneTest, AnActorNotInTheSharedListIsOnlyAddedToThePrivateList) {
    makeScene();
    add(1);
    test::FixedView view(0, 0, 1111);
    scene_->registerView(&view);
    LoggingActor stranger(frames_, 9, 50, nullptr);
    scene_->moveActorToPrivateList(&stranger, 1111);
    EXPECT_EQ(sharedTags(), (std::vector<uint32_t>{1}));
    ASSERT_EQ(scene_->privateList(0)->count(), 1);
    EXPECT_EQ(scene_->privateList(0)->at(0), &stranger);
    // The list does not own what it did not get from the scene.
    scene_->releasePrivateLists();
    EXPECT_EQ(scene_->privateList(0), nullptr);
    EXPECT_EQ(stranger.tag, 9u);
}

TEST_F(SceneTest, TwoViewsWithOneNumberGetTwoListsAndAMoveUsesTheFirst) {
    makeScene();
    Actor* actor = add(1);
    test::FixedView first(0, 0, 4);
    test::FixedView second(0, 0, 4);
    scene_->registerView(&first);
    scene_->registerView(&second);
    ASSERT_NE(scene_->privateList(1), nullptr);
    scene_->moveActorToPrivateList(actor, 4);
    EXPECT_EQ(scene_->privateList(0)->count(), 1);
    EXPECT_EQ(scene_->privateList(1)->count(), 0);
}

TEST_F(SceneTest, APassUpdatesEveryActorBeforeAnyViewAndResetsTheInputLast) {
    makeScene();
    add(1);
    add(2);
    Actor* moved = add(3);
    test::FixedView first(0, 0, 10, &log_);
    test::FixedView second(0, 0, 11, &log_);
    scene_->registerView(&first);
    scene_->registerView(&second);
    scene_->moveActorToPrivateList(moved, 10);

    raiseCommandFlag(Command::Up);
    scene_->scenePass();
    // Shared actors in list order, then the private list, then the views in
    // registration order; the flag raised before the pass lives through it.
    EXPECT_EQ(log_, "U2+ U1+ U3+ R10+ R11+ ");
    EXPECT_FALSE(commandFlag(Command::Up));
}

TEST_F(SceneTest, APassWithoutViewsStillUpdatesAndEndsTheFrame) {
    makeScene();
    add(1);
    raiseCommandFlag(Command::Up);
    scene_->scenePass();
    EXPECT_EQ(log_, "U1+ ");
    EXPECT_FALSE(commandFlag(Command::Up));
}

TEST_F(SceneTest, APassReadsTheInputFirst) {
    makeScene();
    add(1);
    pressButton(SDL_BUTTON_LEFT, 30, 40);
    scene_->scenePass();
    EXPECT_EQ(log_, "U1-b ");
    EXPECT_EQ(mouseX(), 30);
    EXPECT_EQ(mouseY(), 40);
}

}  // namespace
}  // namespace ocre
