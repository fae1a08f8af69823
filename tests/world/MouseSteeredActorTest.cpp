#include "world/MouseSteeredActor.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "data/Path.h"
#include "gfx/DisplaySDL.h"
#include "pathfind/PathFinderBehaviour.h"
#include "tests/support/TestFiles.h"
#include "tests/world/WorldTestSupport.h"
#include "world/AnimationIndex.h"
#include "world/Pointer.h"
#include "world/Talker.h"

namespace ocre {
namespace {

using Routine = MouseSteeredActor::Routine;

// Stays where it is (a step of no length) and tells when it is destroyed.
class Hover : public Behaviour {
public:
    Hover(int32_t x, int32_t y, bool* destroyed = nullptr) : destroyed_(destroyed) {
        currentX = x;
        currentY = y;
    }
    ~Hover() override {
        if (destroyed_) *destroyed_ = true;
    }
    bool advance() override {
        previousX = currentX;
        previousY = currentY;
        return true;
    }

private:
    bool* destroyed_;
};

std::unique_ptr<Path> route(std::vector<int32_t> xs, std::vector<int32_t> ys) {
    return std::make_unique<Path>(std::move(xs), std::move(ys));
}

// The map is 20 x 15 tiles of 32 pixels (640 x 480), frames are 16 x 16, and
// the actor runs its routine on every update.
class MouseSteeredActorTest : public test::WorldTest {
protected:
    void SetUp() override {
        test::WorldTest::SetUp();
        makeScene();
    }
    MouseSteeredActor& make(Routine routine, uint32_t x = 320, uint32_t y = 160,
                            std::unique_ptr<Behaviour> behaviour = nullptr) {
        actor_ = std::make_unique<MouseSteeredActor>(0, frames_, x, y, 0, &mouse_, std::move(behaviour));
        actor_->setRoutine(routine);
        actor_->setAnimation(kStandUp);
        followed_ = actor_.get();
        return *actor_;
    }
    void hold(std::initializer_list<Command> held) {
        mouse_.releaseAll();
        for (Command command : held) mouse_.hold(command);
    }
    void click(int32_t x, int32_t y) {
        pinPointerForTesting(x, y);
        pressButton(SDL_BUTTON_LEFT, static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        releaseButton(SDL_BUTTON_LEFT, static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        pollInput();
    }

    DatStructure frames_ = test::makeFrames(8, 16, 16);
    Actor* followed_ = nullptr;
    test::FixedView view_{0, 0};
    test::ScriptedMouse mouse_{&followed_, &view_};
    std::unique_ptr<MouseSteeredActor> actor_;
};

struct RowCase {
    Routine from;
    std::initializer_list<Command> held;
    Routine to;
    uint32_t animation;
    int32_t dx = 0;
    int32_t dy = 0;
};

constexpr Command U = Command::Up, D = Command::Down, L = Command::Left, R = Command::Right, F1 = Command::Fire1;

// From (320, 160) with animation 7; every step is allowed there.
const RowCase kRowCases[] = {
    {Routine::WalkRight, {}, Routine::StandRight, kStandDown},
    {Routine::WalkRight, {R}, Routine::WalkRight, kStandUp, 16, 0},
    {Routine::WalkRight, {R, F1}, Routine::OnClick, kStandDown, 16, 0},
    {Routine::WalkRight, {R, L}, Routine::WalkLeft, kWalkLeft, 16, 0},
    {Routine::WalkRight, {R, U}, Routine::WalkUp, kWalkUp, 16, 0},
    {Routine::WalkRight, {R, D}, Routine::WalkDown, kWalkDown, 16, 0},
    {Routine::WalkRight, {R, L, U, D}, Routine::WalkDown, kWalkDown, 16, 0},
    {Routine::WalkRight, {L}, Routine::StandRight, kStandDown},
    {Routine::WalkLeft, {}, Routine::StandLeft, kStandLeft},
    {Routine::WalkLeft, {L}, Routine::WalkLeft, kStandUp, -16, 0},
    {Routine::WalkLeft, {L, F1}, Routine::OnClick, kStandLeft, -16, 0},
    {Routine::WalkLeft, {L, D}, Routine::WalkDown, kWalkDown, -16, 0},
    {Routine::WalkLeft, {L, U}, Routine::WalkUp, kWalkUp, -16, 0},
    {Routine::WalkLeft, {L, R}, Routine::StandRight, kStandLeft, -16, 0},
    {Routine::WalkLeft, {L, D, U}, Routine::WalkUp, kWalkUp, -16, 0},
    {Routine::WalkLeft, {R}, Routine::StandLeft, kStandLeft},
    {Routine::WalkUp, {}, Routine::StandUp, kStandUp},
    {Routine::WalkUp, {U}, Routine::WalkUp, kStandUp, 0, -16},
    {Routine::WalkUp, {U, F1}, Routine::OnClick, kStandDown, 0, -16},
    {Routine::WalkUp, {U, L}, Routine::StandLeft, kStandLeft, 0, -16},
    {Routine::WalkUp, {U, R}, Routine::StandRight, kStandRight, 0, -16},
    {Routine::WalkUp, {U, D}, Routine::StandDown, kStandDown, 0, -16},
    {Routine::WalkUp, {D}, Routine::StandUp, kStandUp},
    {Routine::WalkDown, {}, Routine::StandDown, kStandDown},
    {Routine::WalkDown, {D}, Routine::WalkDown, kStandUp, 0, 16},
    {Routine::WalkDown, {D, F1}, Routine::OnClick, kStandDown, 0, 16},
    {Routine::WalkDown, {D, L}, Routine::StandLeft, kStandLeft, 0, 16},
    {Routine::WalkDown, {D, R}, Routine::StandRight, kStandRight, 0, 16},
    {Routine::WalkDown, {D, U}, Routine::StandUp, kStandUp, 0, 16},
    {Routine::WalkDown, {U}, Routine::StandDown, kStandDown},
    {Routine::StandRight, {}, Routine::StandRight, kStandUp},
    {Routine::StandRight, {F1}, Routine::OnClick, kStandRight},
    {Routine::StandRight, {L}, Routine::WalkLeft, kWalkLeft},
    {Routine::StandRight, {R}, Routine::WalkRight, kWalkRight},
    {Routine::StandRight, {D}, Routine::WalkDown, kWalkDown},
    {Routine::StandRight, {U}, Routine::WalkUp, kWalkUp},
    {Routine::StandRight, {L, R}, Routine::WalkRight, kWalkRight},
    {Routine::StandRight, {F1, U}, Routine::WalkUp, kWalkUp},
    {Routine::StandLeft, {F1}, Routine::OnClick, kStandLeft},
    {Routine::StandLeft, {R}, Routine::WalkRight, kWalkRight},
    {Routine::StandLeft, {L}, Routine::WalkLeft, kWalkLeft},
    {Routine::StandLeft, {U}, Routine::WalkUp, kWalkUp},
    {Routine::StandLeft, {D}, Routine::WalkDown, kWalkDown},
    {Routine::StandLeft, {L, R}, Routine::WalkLeft, kWalkLeft},
    {Routine::StandDown, {F1}, Routine::OnClick, kStandDown},
    {Routine::StandDown, {L}, Routine::WalkLeft, kWalkLeft},
    {Routine::StandDown, {R}, Routine::WalkRight, kWalkRight},
    {Routine::StandDown, {U}, Routine::WalkUp, kWalkUp},
    {Routine::StandDown, {D}, Routine::WalkDown, kWalkDown},
    {Routine::StandDown, {U, D}, Routine::WalkDown, kWalkDown},
    {Routine::StandUp, {F1}, Routine::OnClick, kStandUp},
    {Routine::StandUp, {R}, Routine::WalkRight, kWalkRight},
    {Routine::StandUp, {L}, Routine::WalkLeft, kWalkLeft},
    {Routine::StandUp, {D}, Routine::WalkDown, kWalkDown},
    {Routine::StandUp, {U}, Routine::WalkUp, kWalkUp},
    {Routine::StandUp, {U, D}, Routine::WalkUp, kWalkUp},
    {Routine::StandUp, {R, L}, Routine::WalkLeft, kWalkLeft},
    // Following a step of no length, so the rows' animation stands.
    {Routine::FollowBehaviour, {}, Routine::FollowBehaviour, kStandUp},
    {Routine::FollowBehaviour, {F1}, Routine::OnClick, kStandLeft},
    {Routine::FollowBehaviour, {R}, Routine::WalkRight, kWalkRight},
    {Routine::FollowBehaviour, {L}, Routine::WalkLeft, kWalkLeft},
    {Routine::FollowBehaviour, {U}, Routine::WalkUp, kWalkUp},
    {Routine::FollowBehaviour, {D}, Routine::WalkDown, kWalkDown},
    {Routine::FollowBehaviour, {D, F1, R}, Routine::WalkDown, kWalkDown},
    {Routine::FollowBehaviour, {L, F1, R}, Routine::WalkLeft, kWalkLeft},
};

TEST_F(MouseSteeredActorTest, EveryRowOfEveryControllerRoutine) {
    int index = 0;
    for (const RowCase& c : kRowCases) {
        make(c.from, 320, 160, std::make_unique<Hover>(320, 160));
        hold(c.held);
        actor_->update();
        EXPECT_EQ(actor_->routine(), c.to) << "case " << index;
        EXPECT_EQ(actor_->animationIndex(), c.animation) << "case " << index;
        EXPECT_EQ(actor_->x, static_cast<uint32_t>(320 + c.dx)) << "case " << index;
        EXPECT_EQ(actor_->y, static_cast<uint32_t>(160 + c.dy)) << "case " << index;
        ++index;
    }
}

TEST_F(MouseSteeredActorTest, TheOverriddenWalkTakesOverAtTheNextScheduledUpdate) {
    actor_ = std::make_unique<MouseSteeredActor>(1, frames_, 320, 160, 0, &mouse_, nullptr);
    actor_->setRoutine(Routine::WalkRight);
    hold({L});
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandRight);
    EXPECT_EQ(actor_->animationIndex(), kStandDown);
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandRight) << "no run on the second update";
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::WalkLeft);
    EXPECT_EQ(actor_->animationIndex(), kWalkLeft);
    actor_->update();
    actor_->update();
    EXPECT_EQ(actor_->x, 304u);
}

TEST_F(MouseSteeredActorTest, StepsStayInsideTheMapWithTheFrame) {
    struct Case {
        Routine walk;
        Command held;
        uint32_t x, y;
        bool allowed;
    };
    const Case cases[] = {
        {Routine::WalkRight, R, 608, 100, true}, {Routine::WalkRight, R, 609, 100, false},
        {Routine::WalkLeft, L, 16, 100, true},   {Routine::WalkLeft, L, 15, 100, false},
        {Routine::WalkUp, U, 100, 16, true},     {Routine::WalkUp, U, 100, 15, false},
        {Routine::WalkDown, D, 100, 448, true},  {Routine::WalkDown, D, 100, 449, false},
    };
    for (const Case& c : cases) {
        make(c.walk, c.x, c.y);
        hold({c.held});
        actor_->update();
        EXPECT_EQ(actor_->routine() == c.walk, c.allowed) << c.x << "," << c.y;
        const bool moved = actor_->x != c.x || actor_->y != c.y;
        EXPECT_EQ(moved, c.allowed) << c.x << "," << c.y;
    }
}

TEST_F(MouseSteeredActorTest, StepsOntoBlockedCellsAreRefused) {
    makeScene(20, 15, {{6, 5}, {5, 4}});
    // The probe is the frame's left edge at its vertical middle.
    make(Routine::WalkRight, 176, 160);
    hold({R});
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandRight);
    EXPECT_EQ(actor_->x, 176u);
    make(Routine::WalkRight, 160, 160);
    actor_->update();
    EXPECT_EQ(actor_->x, 176u) << "probe still in column 5";
    make(Routine::WalkUp, 160, 160);
    hold({U});
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandUp);
    EXPECT_EQ(actor_->y, 160u);
}

TEST_F(MouseSteeredActorTest, FollowingTakesEachPointAndTheStepsChooseTheAnimation) {
    make(Routine::FollowBehaviour, 100, 100, route({110, 100, 100, 100}, {110, 105, 120, 90}));
    std::vector<uint32_t> animations;
    for (int i = 0; i < 4; ++i) {
        actor_->update();
        animations.push_back(actor_->animationIndex());
    }
    // Down then right; up then left; down alone; up alone: the later query wins.
    EXPECT_EQ(animations, (std::vector<uint32_t>{kWalkRight, kWalkLeft, kWalkDown, kWalkUp}));
    EXPECT_EQ(actor_->x, 100u);
    EXPECT_EQ(actor_->y, 90u);
    EXPECT_EQ(actor_->routine(), Routine::FollowBehaviour);
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandDown);
    EXPECT_EQ(actor_->animationIndex(), kStandDown);
    EXPECT_EQ(actor_->behaviour(), nullptr);
    EXPECT_EQ(actor_->y, 90u);
}

TEST_F(MouseSteeredActorTest, AStepOfTheBehaviourOverridesTheRowsAnimationButNotTheirRoutine) {
    make(Routine::FollowBehaviour, 100, 100, route({100}, {100}));
    hold({R});
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::WalkRight);
    EXPECT_EQ(actor_->animationIndex(), kWalkRight) << "from (0, 0) down and right to (100, 100)";
}

TEST_F(MouseSteeredActorTest, ABehaviourLeavingTheMapIsDestroyed) {
    bool destroyed = false;
    make(Routine::FollowBehaviour, 100, 100, std::make_unique<Hover>(625, 100, &destroyed));
    actor_->update();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(actor_->behaviour(), nullptr);
    EXPECT_EQ(actor_->routine(), Routine::StandDown);
    EXPECT_EQ(actor_->animationIndex(), kStandDown);
    EXPECT_EQ(actor_->x, 100u);
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandDown);

    make(Routine::FollowBehaviour, 100, 100);
    hold({F1});
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandDown) << "no behaviour overrides the rows";
}

TEST_F(MouseSteeredActorTest, Fire2WhileStandingStartsThePatrolPathInPlaceOfTheBehaviour) {
    test::TempDir dir;
    test::writeFile(dir.file(kPatrolPathFile),
                    test::Bytes().u32(2).u8(1).i32(40).i32(60).i32(50).i32(70).i32(0).i32(0).data());
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);

    const std::pair<Routine, uint32_t> stands[] = {{Routine::StandRight, kStandRight},
                                                   {Routine::StandLeft, kStandLeft},
                                                   {Routine::StandDown, kStandDown},
                                                   {Routine::StandUp, kStandUp}};
    for (const auto& [routine, animation] : stands) {
        bool destroyed = false;
        make(routine, 320, 160, std::make_unique<Hover>(0, 0, &destroyed));
        actor_->setAnimation(kWalkDown);
        hold({Command::Fire2});
        actor_->update();
        EXPECT_TRUE(destroyed);
        EXPECT_EQ(actor_->routine(), Routine::FollowBehaviour);
        EXPECT_EQ(actor_->animationIndex(), animation);
        hold({});
        actor_->update();
        EXPECT_EQ(actor_->x, 40u);
        EXPECT_EQ(actor_->y, 50u);
    }
    ASSERT_EQ(chdir(previous), 0);
}

TEST_F(MouseSteeredActorTest, AClickOnBareGroundSearchesARouteToThePointer) {
    bool destroyed = false;
    make(Routine::OnClick, 320, 160, std::make_unique<Hover>(0, 0, &destroyed));
    click(300, 200);
    testing::internal::CaptureStdout();
    actor_->update();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "AStar!\n");
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(actor_->routine(), Routine::FollowBehaviour);
    EXPECT_EQ(actor_->animationIndex(), kStandDown);
    EXPECT_EQ(actor_->talkPartner(), nullptr);

    // From cell (10, 5) to cell (9, 6): one diagonal step, waypoints at the
    // middle of the column and half a tile above the row.
    actor_->update();
    EXPECT_EQ(actor_->x, 336u);
    EXPECT_EQ(actor_->y, 144u);
    actor_->update();
    EXPECT_EQ(actor_->x, 304u);
    EXPECT_EQ(actor_->y, 176u);
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandDown);
    EXPECT_EQ(actor_->behaviour(), nullptr);
}

TEST_F(MouseSteeredActorTest, TheGoalIsThePointerInTheWorld) {
    test::FixedView shifted(64, 32);
    test::ScriptedMouse mouse(&followed_, &shifted);
    actor_ = std::make_unique<MouseSteeredActor>(0, frames_, 320, 160, 0, &mouse, nullptr);
    actor_->setRoutine(Routine::OnClick);
    click(300, 200);
    testing::internal::CaptureStdout();
    actor_->update();
    testing::internal::GetCapturedStdout();
    const auto* search = dynamic_cast<const PathFinderBehaviour*>(actor_->behaviour());
    ASSERT_NE(search, nullptr);
    ASSERT_NE(search->path(), nullptr);
    ASSERT_GT(search->waypointCount(), 0u);
    EXPECT_EQ(search->path()->xs().back(), 16 + 11 * 32);
    EXPECT_EQ(search->path()->ys().back(), 7 * 32 - 16);
}

TEST_F(MouseSteeredActorTest, ARouteLeavingTheMapStopsTheActor) {
    make(Routine::OnClick, 320, 32);
    click(320, 10);
    testing::internal::CaptureStdout();
    actor_->update();
    testing::internal::GetCapturedStdout();
    actor_->update();
    EXPECT_EQ(actor_->y, 16u);
    actor_->update();
    EXPECT_EQ(actor_->y, 16u) << "the goal row's waypoint lies above the map";
    EXPECT_EQ(actor_->routine(), Routine::StandDown);
    EXPECT_EQ(actor_->behaviour(), nullptr);
}

// Talkers need dialogue boxes, and those need an open display.
class MouseSteeredTalkTest : public MouseSteeredActorTest {
protected:
    void SetUp() override {
        MouseSteeredActorTest::SetUp();
        video_.open();
    }
    Talker* addTalker(DialogueBox* box, uint32_t x, uint32_t y) {
        auto talker = std::make_unique<Talker>(0, frames_, x, y, 0, box, &mouse_, &glyphs_, 4);
        Talker* raw = talker.get();
        scene_->addActor(std::move(talker));
        return raw;
    }
    std::unique_ptr<DialogueBox> box() { return test::loadDialogueBox(dir_.path(), "1|1|1|Bonjour\n1|2|0|2|Adieu\n"); }

    DisplaySDL video_{640, 480, 32};
    test::TempDir dir_;
    test::FixedGlyphs glyphs_{8, 16};
};

TEST_F(MouseSteeredTalkTest, AClickOnOverlappingTalkersOpensBothAndKeepsTheLaterOne) {
    auto firstBox = box();
    auto secondBox = box();
    auto thirdBox = box();
    Talker* first = addTalker(firstBox.get(), 100, 100);
    Talker* second = addTalker(secondBox.get(), 104, 104);
    Talker* elsewhere = addTalker(thirdBox.get(), 300, 300);
    first->setAnimation(kWalkRight);
    ASSERT_EQ(scene_->sharedActor(1), second);
    ASSERT_EQ(scene_->sharedActor(2), first);

    make(Routine::OnClick, 400, 400);
    click(110, 110);
    testing::internal::CaptureStdout();
    actor_->update();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "no route searched";
    EXPECT_TRUE(first->talking());
    EXPECT_TRUE(second->talking());
    EXPECT_FALSE(elsewhere->talking());
    EXPECT_EQ(actor_->talkPartner(), first);
    EXPECT_EQ(first->animationIndex(), 4u);
    EXPECT_EQ(firstBox->currentChoices().count(), 2) << "the box starts over";
    EXPECT_EQ(actor_->routine(), Routine::WaitTalk);
    EXPECT_EQ(actor_->animationIndex(), kStandDown);

    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::WaitTalk);
    firstBox->highlight(1);
    firstBox->validate();
    ASSERT_TRUE(firstBox->finished());
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandRight);
    EXPECT_EQ(actor_->animationIndex(), kStandDown);
    EXPECT_EQ(actor_->talkPartner(), nullptr);
    first->update();
    EXPECT_FALSE(first->talking());
    EXPECT_EQ(first->animationIndex(), kWalkRight);
}

TEST_F(MouseSteeredTalkTest, ATalkerWithoutABoxIsNotTalkedToAndNothingIsWaitedFor) {
    Talker* mute = addTalker(nullptr, 100, 100);
    make(Routine::OnClick, 400, 400);
    click(110, 110);
    testing::internal::CaptureStdout();
    actor_->update();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(mute->talking());
    EXPECT_EQ(actor_->talkPartner(), mute);
    EXPECT_EQ(actor_->routine(), Routine::WaitTalk);
    actor_->update();
    EXPECT_EQ(actor_->routine(), Routine::StandRight);
    EXPECT_EQ(actor_->talkPartner(), nullptr);
}

}  // namespace
}  // namespace ocre
