#include "world/Scene.h"

#include "tests/world/WorldTestSupport.h"
#include "world/Actor.h"

namespace ocre {
namespace {

// Logs "U<tag><up flag>" when its routine runs (every update), with a "b"
// while the left button is held.
struct LoggingActor : Actor {
    LoggingActor(const DatStructure& frames, uint32_t tag, std::string* log)
        : Actor(0, frames, 0, 0, tag), log(log) {}
    void runStateRoutine() override {
        *log += "U" + std::to_string(tag) + (commandFlag(Command::Up) ? "+" : "-") +
                (buttonDown(kLeftButton) ? "b " : " ");
    }
    std::string* log;
};

class SceneTest : public test::WorldTest {
protected:
    void SetUp() override {
        test::WorldTest::SetUp();
        makeScene();
    }
    Actor* add(uint32_t tag, int32_t depth = kDefaultDepth) {
        auto actor = std::make_unique<LoggingActor>(frames_, tag, &log_);
        actor->depth = depth;
        Actor* raw = actor.get();
        scene_->addActor(std::move(actor));
        return raw;
    }
    static std::vector<uint32_t> tags(const ActorList* list) {
        std::vector<uint32_t> tags;
        for (int32_t i = 0; i < list->count(); ++i) tags.push_back(list->at(i)->tag);
        return tags;
    }
    using Tags = std::vector<uint32_t>;

    DatStructure frames_ = test::makeFrames(1, 8, 8);
    std::string log_;
};

TEST_F(SceneTest, ListsPutTheNewestOfEqualDepthsFirstAndGrowWhileOneEntryIsFree) {
    for (uint32_t tag = 1; tag <= 6; ++tag) add(tag, tag == 5 ? 200 : 50);
    EXPECT_EQ(tags(&scene_->sharedList()), (Tags{6, 4, 3, 2, 1, 5}));

    ActorList list(4, 3);
    std::vector<int32_t> capacities;
    for (int i = 0; i < 4; ++i) {
        list.insert(scene_->sharedActor(i));
        capacities.push_back(list.capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{4, 4, 4, 7})) << "the fourth comes at count 3 = capacity - 1";
    EXPECT_EQ(tags(&list), (Tags{2, 3, 4, 6}));
}

TEST_F(SceneTest, AMoveGoesToTheFirstPrivateListOfTheNumberAndOutOfTheSharedList) {
    add(1);
    Actor* second = add(2);
    test::FixedView a(0, 0, 7), b(0, 0, 1111), c(0, 0, 1111);
    for (test::FixedView* view : {&a, &b, &c}) scene_->registerView(view);
    scene_->moveActorToPrivateList(second, 42);
    EXPECT_EQ(tags(&scene_->sharedList()), (Tags{2, 1})) << "no list has number 42";
    scene_->moveActorToPrivateList(second, 1111);
    EXPECT_EQ(tags(&scene_->sharedList()), (Tags{1}));
    EXPECT_EQ(tags(scene_->privateList(1)), (Tags{2}));
    EXPECT_EQ(tags(scene_->privateList(2)), (Tags{})) << "the second list of 1111";

    LoggingActor stranger(frames_, 9, &log_);
    scene_->moveActorToPrivateList(&stranger, 7);
    EXPECT_EQ(tags(&scene_->sharedList()), (Tags{1}));
    EXPECT_EQ(tags(scene_->privateList(0)), (Tags{9}));
    // Releasing must leave alone what the scene did not own (a crash if not).
    scene_->releasePrivateLists();
    EXPECT_EQ(scene_->privateList(0), nullptr);
}

TEST_F(SceneTest, APassReadsInputThenUpdatesEveryActorBeforeAnyViewAndResetsTheInputLast) {
    add(1);
    raiseCommandFlag(Command::Up);
    pushButton(true, SDL_BUTTON_LEFT, 30, 40);
    scene_->scenePass();
    EXPECT_EQ(log_, "U1+b ") << "no views";
    EXPECT_FALSE(commandFlag(Command::Up));

    add(2);
    Actor* moved = add(3);
    test::FixedView first(0, 0, 10, &log_), second(0, 0, 11, &log_);
    for (test::FixedView* view : {&first, &second}) scene_->registerView(view);
    scene_->moveActorToPrivateList(moved, 10);
    log_.clear();
    raiseCommandFlag(Command::Up);
    scene_->scenePass();
    // Shared actors in list order, then the private list, then the views in
    // registration order; the flag raised before the pass lives through it.
    EXPECT_EQ(log_, "U2+b U1+b U3+b R10+ R11+ ");
    EXPECT_FALSE(commandFlag(Command::Up));
}

}  // namespace
}  // namespace ocre
