#include "world/Talker.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gfx/DisplaySDL.h"
#include "tests/support/TestFiles.h"
#include "tests/world/WorldTestSupport.h"
#include "world/AnimationIndex.h"
#include "world/DialogueActor.h"
#include "world/MouseController.h"
#include "world/MouseSteeredActor.h"
#include "world/Pointer.h"

namespace ocre {
namespace {

// A greeting of the person spoken to, then two player choices: "Encore"
// (a leaf) and "Adieu" (an ending).
constexpr const char* kConversation =
    "1|1|1|Bonjour\n"
    "2|1|1|2|Encore\n"
    "3|1|2|0|2|Adieu\n";

// A talker whose state routine only counts its runs.
class CountingTalker : public Talker {
public:
    using Talker::Talker;
    int runs = 0;

protected:
    void runStateRoutine() override { ++runs; }
};

class TalkerTest : public test::WorldTest {
protected:
    void SetUp() override {
        test::WorldTest::SetUp();
        video_.open();
        box_ = test::loadDialogueBox(dir_.path(), kConversation);
    }
    std::unique_ptr<CountingTalker> talker(int32_t talkAnimation = 4, int32_t period = 0) {
        return std::make_unique<CountingTalker>(period, frames_, 100, 100, 0, box_.get(), &keys_, &glyphs_,
                                                talkAnimation);
    }
    std::vector<std::string> choices() const {
        std::vector<std::string> texts;
        for (const DialogueNode* node : box_->currentChoices()) texts.push_back(node->text());
        return texts;
    }

    DisplaySDL video_{640, 480, 32};
    test::TempDir dir_;
    std::unique_ptr<DialogueBox> box_;
    DatStructure frames_ = test::makeFrames(8, 16, 16);
    test::ScriptedController keys_;
    test::FixedGlyphs glyphs_{8, 16};
};

TEST_F(TalkerTest, TheTalkAnimationMustBeAnEntryOfTheList) {
    for (const auto& [given, used] : {std::pair{4, 4u}, {7, 7u}, {8, 0u}, {9, 0u}, {-1, 0u}}) {
        auto actor = talker(given);
        actor->setAnimation(kWalkRight);
        EXPECT_EQ(actor->talkAnimation(), used) << given;
        ASSERT_TRUE(actor->openConversation());
        EXPECT_EQ(actor->animationIndex(), used) << given;
    }
}

TEST_F(TalkerTest, WhileTalkingTheRoutineWaitsAndChoicesAreReadEveryOtherUpdate) {
    auto actor = talker();
    actor->update();
    EXPECT_EQ(actor->runs, 1);
    actor->setAnimation(kWalkLeft);
    ASSERT_TRUE(actor->openConversation());
    EXPECT_EQ(choices(), (std::vector<std::string>{"Bonjour "}));

    keys_.hold(Command::Fire1);
    actor->update();  // the input counter wraps to 0: nothing is read
    EXPECT_EQ(choices(), (std::vector<std::string>{"Bonjour "}));
    actor->update();
    EXPECT_EQ(choices(), (std::vector<std::string>{"Encore ", "Adieu "}));
    actor->update();
    actor->update();  // cursor 0 again: the leaf goes
    EXPECT_EQ(choices(), (std::vector<std::string>{"Adieu "}));
    EXPECT_EQ(actor->runs, 1);
    EXPECT_TRUE(actor->talking());
    EXPECT_EQ(actor->animationIndex(), 4u);

    actor->update();
    actor->update();
    EXPECT_TRUE(box_->finished());
    EXPECT_FALSE(actor->talking()) << "closed in the update that finished it";
    EXPECT_EQ(actor->animationIndex(), kWalkLeft);
    EXPECT_EQ(actor->runs, 1);
    actor->update();
    EXPECT_EQ(actor->runs, 2);
}

TEST_F(TalkerTest, TheKeyboardMovesTheChoiceCursor) {
    auto actor = talker();
    keys_.hold(Command::Down);
    EXPECT_EQ(actor->pickChoice(), 1);
    EXPECT_EQ(actor->pickChoice(), 2);
    keys_.hold(Command::Up);
    EXPECT_EQ(actor->pickChoice(), 2) << "down then up";
    keys_.releaseAll();
    keys_.hold(Command::Up);
    EXPECT_EQ(actor->pickChoice(), 1);
    EXPECT_EQ(actor->pickChoice(), 0);
    EXPECT_EQ(actor->pickChoice(), -1) << "not bounded here";
}

TEST_F(TalkerTest, APickedCursorBeyondTheChoicesIsClampedByTheBox) {
    auto actor = talker();
    ASSERT_TRUE(actor->openConversation());
    keys_.hold(Command::Fire1);
    keys_.hold(Command::Down);
    actor->update();
    actor->update();
    EXPECT_EQ(actor->choiceCursor(), 1);
    EXPECT_EQ(choices(), (std::vector<std::string>{"Encore ", "Adieu "})) << "the only choice, Bonjour, went";
    actor->update();
    actor->update();
    EXPECT_EQ(actor->choiceCursor(), 2);
    EXPECT_TRUE(box_->finished()) << "the last choice, Adieu, went";
    EXPECT_FALSE(actor->talking());
}

TEST_F(TalkerTest, TheBoxIsDrawnOverTheViewOnlyWhileTalking) {
    makeScene();
    auto actor = talker();
    actor->draw(0, 0, 10, 20, 320, 240);
    EXPECT_TRUE(display_.texts.empty());
    ASSERT_TRUE(actor->openConversation());
    actor->draw(0, 0, 10, 20, 320, 240);
    EXPECT_EQ(display_.textsOnly(), (std::vector<std::string>{"Bonjour "}));
    ASSERT_EQ(display_.surfaces.size(), 1u) << "its portrait (the sprite has no surfaces)";
    EXPECT_EQ(display_.surfaces[0].x, 10 + 90 - 4);
    EXPECT_EQ(display_.surfaces[0].y, 20);
}

class DialogueActorTest : public TalkerTest {};

TEST_F(DialogueActorTest, PacesBetweenTheMapEdges) {
    makeScene(4, 4);  // 128 pixels wide: x stays within 0 .. 112
    DialogueActor actor(0, frames_, 100, 50, 0, box_.get(), &keys_, &glyphs_, 4);
    actor.update();
    EXPECT_EQ(actor.routine(), DialogueActor::Routine::PaceRight);
    EXPECT_EQ(actor.animationIndex(), kWalkRight);
    std::set<uint32_t> seen;
    std::vector<int32_t> directions;
    for (int i = 0; i < 70; ++i) {
        actor.update();
        seen.insert(actor.x);
        if (directions.empty() || directions.back() != actor.direction()) directions.push_back(actor.direction());
        EXPECT_EQ(actor.animationIndex(), actor.direction() > 0 ? kWalkRight : kWalkLeft);
    }
    EXPECT_EQ(*seen.begin(), 0u);
    EXPECT_EQ(*seen.rbegin(), 112u);
    EXPECT_EQ(directions, (std::vector<int32_t>{1, -1, 1, -1}));
}

// The whole road of a conversation: the player clicks the pacing talker,
// then clicks through its lines; it resumes pacing where it stopped.
TEST_F(DialogueActorTest, AConversationDrivenByClicksUntilItCloses) {
    Scene& scene = makeScene();
    Actor* followed = nullptr;
    test::FixedView camera(0, 0);
    MouseController mouse(&followed, &camera);
    auto talkerOwned = std::make_unique<DialogueActor>(1, frames_, 200, 300, 0, box_.get(), &mouse, &glyphs_, 4);
    DialogueActor* talker = talkerOwned.get();
    scene.addActor(std::move(talkerOwned));
    auto playerOwned = std::make_unique<MouseSteeredActor>(1, frames_, 400, 100, 0, &mouse, nullptr);
    MouseSteeredActor* player = playerOwned.get();
    player->setRoutine(MouseSteeredActor::Routine::StandDown);
    followed = player;
    scene.addActor(std::move(playerOwned));

    const auto click = [&](int32_t x, int32_t y) {
        pinPointerForTesting(x, y);
        pressButton(SDL_BUTTON_LEFT, static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        scene.scenePass();
        releaseButton(SDL_BUTTON_LEFT, static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        for (int pass = 0; pass < 4; ++pass) scene.scenePass();
    };

    for (int pass = 0; pass < 6; ++pass) scene.scenePass();
    ASSERT_EQ(talker->routine(), DialogueActor::Routine::PaceRight);
    const uint32_t clickedX = talker->x;
    testing::internal::CaptureStdout();
    click(static_cast<int32_t>(clickedX) + 8, 308);
    EXPECT_EQ(player->routine(), MouseSteeredActor::Routine::WaitTalk);
    EXPECT_TRUE(talker->talking());
    EXPECT_EQ(talker->animationIndex(), 4u);
    const uint32_t stoppedX = talker->x;
    EXPECT_LE(stoppedX - clickedX, 8u) << "it stops within a few steps";
    EXPECT_EQ(choices(), (std::vector<std::string>{"Bonjour "}));

    click(600, 10);  // anywhere: the greeting goes on by itself
    EXPECT_EQ(choices(), (std::vector<std::string>{"Encore ", "Adieu "}));
    // Player choices sit in the second band (from y 42), one glyph row each,
    // as wide as half their text: "Encore " at x 100 .. 128, y 42 .. 58.
    click(120, 50);
    EXPECT_EQ(choices(), (std::vector<std::string>{"Adieu "}));
    click(126, 50);  // beside "Adieu ", which spans x 100 .. 124
    EXPECT_EQ(choices(), (std::vector<std::string>{"Adieu "}));
    EXPECT_TRUE(talker->talking());
    EXPECT_EQ(talker->x, stoppedX);

    pinPointerForTesting(110, 50);
    pressButton(SDL_BUTTON_LEFT, 110, 50);
    scene.scenePass();
    releaseButton(SDL_BUTTON_LEFT, 110, 50);
    for (int pass = 0; pass < 2 && talker->talking(); ++pass) scene.scenePass();
    EXPECT_TRUE(box_->finished());
    ASSERT_FALSE(talker->talking());
    EXPECT_EQ(talker->animationIndex(), kWalkRight);
    EXPECT_EQ(talker->x, stoppedX);
    for (int pass = 0; pass < 2 && talker->x == stoppedX; ++pass) scene.scenePass();
    EXPECT_EQ(talker->x, stoppedX + 4) << "pacing goes on the same way";
    EXPECT_EQ(talker->direction(), 1);

    for (int pass = 0; pass < 4; ++pass) scene.scenePass();
    EXPECT_EQ(player->routine(), MouseSteeredActor::Routine::StandRight);
    EXPECT_EQ(player->talkPartner(), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "no click went to the path finder";
}

}  // namespace
}  // namespace ocre
