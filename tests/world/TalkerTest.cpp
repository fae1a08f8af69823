#include "world/Talker.h"

#include <set>

#include "gfx/DisplaySDL.h"
#include "tests/world/WorldTestSupport.h"
#include "world/DialogueActor.h"
#include "world/MouseSteeredActor.h"

namespace ocre {
namespace {

// A greeting of the person spoken to, then two player choices: "Encore"
// (a leaf) and "Adieu" (an ending).
constexpr const char* kConversation = "1|1|1|Bonjour\n2|1|1|2|Encore\n3|1|2|0|2|Adieu\n";

class TalkerTest : public test::WorldTest {
protected:
    void SetUp() override {
        test::WorldTest::SetUp();
        video_.open();
        box_ = test::loadDialogueBox(dir_.path(), kConversation);
    }
    std::unique_ptr<Talker> talker(int32_t talkAnimation = 4) {
        return std::make_unique<Talker>(0, frames_, 100, 100, 0, box_.get(), &keys_, &glyphs_, talkAnimation);
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

TEST_F(TalkerTest, TheKeyboardMovesTheChoiceCursorUnbounded) {
    auto actor = talker();
    std::vector<int32_t> picked;
    for (const char* held : {"D", "D", "DU", "U", "U", "U"}) {
        keys_.holdOnly(held);
        picked.push_back(actor->pickChoice());
    }
    EXPECT_EQ(picked, (std::vector<int32_t>{1, 2, 2, 1, 0, -1}));
}

TEST_F(TalkerTest, OpeningShowsTheTalkAnimationAndTheBoxIsDrawnOverTheViewOnlyWhileTalking) {
    makeScene();
    for (const auto& [given, used] : {std::pair{7, 7u}, {8, 0u}, {9, 0u}, {-1, 0u}}) {
        auto actor = talker(given);
        actor->setAnimation(kWalkRight);
        ASSERT_TRUE(actor->openConversation());
        EXPECT_EQ(actor->animationIndex(), used) << "talk animation " << given << " of 8";
    }
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

using DialogueActorTest = TalkerTest;

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

    // Pressed during one pass, released, then left to age.
    const auto click = [&](int32_t x, int32_t y, int passesAfter = 4) {
        pinPointerForTesting(x, y);
        pushButton(true, SDL_BUTTON_LEFT, x, y);
        scene.scenePass();
        pushButton(false, SDL_BUTTON_LEFT, x, y);
        for (int pass = 0; pass < passesAfter; ++pass) scene.scenePass();
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

    click(110, 50, 1);
    if (talker->talking()) scene.scenePass();
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
