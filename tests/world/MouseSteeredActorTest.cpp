#include "world/MouseSteeredActor.h"

#include "data/Path.h"
#include "gfx/DisplaySDL.h"
#include "pathfind/PathFinderBehaviour.h"
#include "tests/support/WorkingFolder.h"
#include "tests/world/WorldTestSupport.h"
#include "world/Talker.h"

namespace ocre {
namespace {

using Routine = MouseSteeredActor::Routine;
constexpr Routine WR = Routine::WalkRight, WL = Routine::WalkLeft, WU = Routine::WalkUp, WD = Routine::WalkDown,
                  SR = Routine::StandRight, SL = Routine::StandLeft, SU = Routine::StandUp, SD = Routine::StandDown,
                  FB = Routine::FollowBehaviour, OC = Routine::OnClick, WT = Routine::WaitTalk;

// Stays where it is (a step of no length) and tells when it is destroyed.
class Hover : public Behaviour {
public:
    explicit Hover(int32_t x, int32_t y, bool* destroyed = nullptr) : destroyed_(destroyed) {
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

// The map is 20 x 15 tiles of 32 pixels (640 x 480) with two blocked cells,
// frames are 16 x 16, the actor runs its routine on every update, and the
// camera is at (64, 16).
class MouseSteeredActorTest : public test::WorldTest {
protected:
    void SetUp() override {
        test::WorldTest::SetUp();
        makeScene(20, 15, {{6, 5}, {5, 4}});
    }
    void make(Routine routine, uint32_t x, uint32_t y, std::unique_ptr<Behaviour> behaviour = nullptr) {
        actor_ = std::make_unique<MouseSteeredActor>(0, frames_, x, y, 0, &mouse_, std::move(behaviour));
        actor_->setRoutine(routine);
        actor_->setAnimation(kStandUp);
        followed_ = actor_.get();
    }
    // A short left click on a world point.
    static void click(int32_t x, int32_t y) {
        pinPointerForTesting(x - 64, y - 16);
        pushButton(true, SDL_BUTTON_LEFT, x - 64, y - 16);
        pushButton(false, SDL_BUTTON_LEFT, x - 64, y - 16);
        pollInput();
    }
    void expectState(Routine routine, uint32_t animation) {
        EXPECT_EQ(actor_->routine(), routine);
        EXPECT_EQ(actor_->animationIndex(), animation);
    }
    void expectAt(uint32_t x, uint32_t y) {
        EXPECT_EQ(std::make_pair(actor_->x, actor_->y), std::make_pair(x, y));
    }

    DatStructure frames_ = test::makeFrames(8, 16, 16);
    Actor* followed_ = nullptr;
    test::FixedView view_{64, 16};
    test::ScriptedMouse mouse_{&followed_, &view_};
    std::unique_ptr<MouseSteeredActor> actor_;
};

// Every row whose condition holds stores its routine and animation, so the
// later rows win; a walk's own direction still steps if the step stays inside
// the map with the frame and off blocked cells (probed under the frame's left
// edge at its vertical middle). From animation 7, following a step of no
// length (which leaves the rows' animation).
TEST_F(MouseSteeredActorTest, EveryRowOfEveryControllerRoutine) {
    struct Case {
        Routine from; const char* held; Routine to;
        uint32_t animation; int32_t dx = 0, dy = 0; uint32_t x = 320, y = 160;
    };
    // Per routine: standing still, its own direction, and the rows whose
    // later entry overrides an earlier one or whose animation is unlike the
    // routine's; then the map's edges and the blocked cells (6, 5) and (5, 4).
    const Case cases[] = {
        {WR, "", SR, 4},  {WR, "R", WR, 7, 16},  {WR, "R1", OC, 4, 16},  {WR, "RLUD", WD, 0, 16},
        {WL, "", SL, 5},  {WL, "LR", SR, 5, -16},  {WL, "LDU", WU, 3, -16},  {WU, "", SU, 7},
        {WU, "UR", SR, 6, 0, -16},  {WD, "D", WD, 7, 0, 16},  {WD, "DU", SU, 7, 0, 16},
        {SR, "", SR, 7},  {SR, "1", OC, 6},  {SR, "LR", WR, 2},  {SL, "LR", WL, 1},  {SD, "UD", WD, 0},
        {SU, "1", OC, 7},  {SU, "UD", WU, 3},  {FB, "", FB, 7},  {FB, "1", OC, 5},  {FB, "D1R", WD, 0},
        {WR, "R", WR, 7, 16, 0, 608, 100},  {WR, "R", SR, 4, 0, 0, 609, 100},  {WL, "L", WL, 7, -16, 0, 16, 100},
        {WL, "L", SL, 5, 0, 0, 15, 100},    {WU, "U", WU, 7, 0, -16, 100, 16}, {WU, "U", SU, 7, 0, 0, 100, 15},
        {WD, "D", WD, 7, 0, 16, 100, 448},  {WD, "D", SD, 4, 0, 0, 100, 449},  {WR, "R", SR, 4, 0, 0, 176, 160},
        {WR, "R", WR, 7, 16, 0, 160, 160},  {WU, "U", SU, 7, 0, 0, 160, 160},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << static_cast<int>(c.from) << " at " << c.x << "," << c.y
                                        << " holding " << c.held);
        make(c.from, c.x, c.y, std::make_unique<Hover>(c.x, c.y));
        mouse_.holdOnly(c.held);
        actor_->update();
        expectState(c.to, c.animation);
        expectAt(static_cast<uint32_t>(c.x + c.dx), static_cast<uint32_t>(c.y + c.dy));
    }
}

TEST_F(MouseSteeredActorTest, TheOverriddenWalkTakesOverAtTheNextScheduledUpdate) {
    actor_ = std::make_unique<MouseSteeredActor>(1, frames_, 320, 160, 0, &mouse_, nullptr);
    actor_->setRoutine(WR);
    mouse_.holdOnly("L");
    actor_->update();
    expectState(SR, kStandDown);
    actor_->update();
    EXPECT_EQ(actor_->routine(), SR) << "no run on the second update";
    actor_->update();
    expectState(WL, kWalkLeft);
    actor_->update();
    actor_->update();
    EXPECT_EQ(actor_->x, 304u);
}

TEST_F(MouseSteeredActorTest, FollowingTakesEachPointAndTheStepsChooseTheAnimation) {
    make(FB, 100, 100, std::make_unique<Path>(std::vector<int32_t>{110, 100, 100, 100},
                                              std::vector<int32_t>{110, 105, 120, 90}));
    std::vector<uint32_t> animations;
    for (int i = 0; i < 5; ++i) {
        actor_->update();
        animations.push_back(actor_->animationIndex());
    }
    // Down then right; up then left; down alone; up alone: the later query
    // wins. Then the path ends.
    EXPECT_EQ(animations, (std::vector<uint32_t>{kWalkRight, kWalkLeft, kWalkDown, kWalkUp, kStandDown}));
    expectAt(100, 90);
    EXPECT_EQ(actor_->routine(), SD);
    EXPECT_EQ(actor_->behaviour(), nullptr);
    actor_->setRoutine(FB);
    mouse_.holdOnly("1");
    actor_->update();
    expectState(SD, kStandDown);  // without a behaviour, whatever the rows chose

    make(FB, 100, 100, std::make_unique<Path>(std::vector<int32_t>{100}, std::vector<int32_t>{100}));
    mouse_.holdOnly("R");
    actor_->update();
    EXPECT_EQ(actor_->routine(), WR);
    EXPECT_EQ(actor_->animationIndex(), kWalkRight) << "the step, from (0, 0), overrides the row's animation";
}

TEST_F(MouseSteeredActorTest, Fire2WhileStandingStartsThePatrolPathInPlaceOfTheBehaviour) {
    test::TempDir dir;
    test::writeFile(dir.file(kPatrolPathFile),
                    test::Bytes().u32(2).u8(1).i32(40).i32(60).i32(50).i32(70).i32(0).i32(0).data());
    test::WorkingFolder inPathFolder(dir.path());
    for (const auto& [routine, animation] : {std::pair{SR, 6u}, {SL, 5u}, {SD, 4u}, {SU, 7u}}) {
        bool destroyed = false;
        make(routine, 320, 160, std::make_unique<Hover>(0, 0, &destroyed));
        actor_->setAnimation(kWalkDown);
        mouse_.holdOnly("2");
        actor_->update();
        EXPECT_TRUE(destroyed);
        expectState(FB, animation);
        mouse_.holdOnly("");
        actor_->update();
        expectAt(40, 50);
    }
}

TEST_F(MouseSteeredActorTest, AClickOnBareGroundSearchesARouteToThePointerInTheWorld) {
    bool destroyed = false;
    make(OC, 320, 160, std::make_unique<Hover>(0, 0, &destroyed));
    click(300, 200);
    EXPECT_EQ(test::captureStdout([&] { actor_->update(); }), "AStar!\n");
    EXPECT_TRUE(destroyed);
    expectState(FB, kStandDown);
    EXPECT_EQ(actor_->talkPartner(), nullptr);
    ASSERT_NE(dynamic_cast<const PathFinderBehaviour*>(actor_->behaviour()), nullptr);
    // From cell (10, 5) to cell (9, 6): one diagonal step, waypoints at the
    // middle of the column and half a tile above the row.
    actor_->update();
    expectAt(336, 144);
    actor_->update();
    expectAt(304, 176);
    actor_->update();
    EXPECT_EQ(actor_->routine(), SD);
}

// Talkers need dialogue boxes, and those need an open display.
class MouseSteeredTalkTest : public MouseSteeredActorTest {
protected:
    void SetUp() override {
        MouseSteeredActorTest::SetUp();
        video_.open();
    }
    Talker* addTalker(bool withBox, uint32_t x, uint32_t y) {
        boxes_.push_back(withBox ? test::loadDialogueBox(dir_.path(), "1|1|1|Bonjour\n1|2|0|2|Adieu\n") : nullptr);
        auto talker = std::make_unique<Talker>(0, frames_, x, y, 0, boxes_.back().get(), &mouse_, &glyphs_, 4);
        Talker* raw = talker.get();
        scene_->addActor(std::move(talker));
        return raw;
    }

    DisplaySDL video_{640, 480, 32};
    test::TempDir dir_;
    test::FixedGlyphs glyphs_{8, 16};
    std::vector<std::unique_ptr<DialogueBox>> boxes_;
};

TEST_F(MouseSteeredTalkTest, AClickOnOverlappingTalkersOpensBothAndKeepsTheLaterOne) {
    Talker* first = addTalker(true, 100, 100);
    Talker* second = addTalker(true, 104, 104);
    Talker* elsewhere = addTalker(true, 300, 300);
    Talker* mute = addTalker(false, 102, 102);
    ASSERT_EQ(scene_->sharedActor(3), first) << "the first added is the last in the list";
    make(OC, 400, 400);
    click(110, 110);
    EXPECT_EQ(test::captureStdout([&] { actor_->update(); }), "") << "no route searched";
    EXPECT_TRUE(first->talking() && second->talking() && !elsewhere->talking());
    EXPECT_FALSE(mute->talking()) << "a talker without a box never talks";
    EXPECT_EQ(actor_->talkPartner(), first);
    EXPECT_EQ(first->animationIndex(), 4u);
    EXPECT_EQ(first->dialogueBox()->currentChoices().count(), 2) << "the box starts over";
    expectState(WT, kStandDown);

    actor_->update();
    EXPECT_EQ(actor_->routine(), WT);
    first->dialogueBox()->highlight(1);
    first->dialogueBox()->validate();
    actor_->update();
    expectState(SR, kStandDown);
    EXPECT_EQ(actor_->talkPartner(), nullptr);
}

}  // namespace
}  // namespace ocre
