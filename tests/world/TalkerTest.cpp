#include "world/Talker.h"

#include <set>

#include "gfx/DisplaySDL.h"
#include "tests/world/WorldTestSupport.h"
#include "world/DialogueActor.h"

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
    ASSERT_EQ(display_.texts.size(), 1u);
    EXPECT_EQ(display_.texts[0].text, "Bonjour ");
    ASSERT_EQ(display_.surfaces.size(), 1u) << "its portrait (the sprite has no surfaces)";
    EXPECT_EQ(display_.surfaces[0].at(), std::make_pair(10 + 90 - 4, 20));
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
    EXPECT_EQ(std::make_pair(*seen.begin(), *seen.rbegin()), std::make_pair(0u, 112u));
    EXPECT_EQ(directions, (std::vector<int32_t>{1, -1, 1, -1}));
}

// Talking stops the pacing; a click on an ending closes the conversation,
// which gives the walk back and goes on from where it stopped. The box is
// laid out at the screen's origin: the player's choices from y 42, "Adieu "
// at x 100 .. 124 on the second row.
TEST_F(DialogueActorTest, TalkingStopsThePacingUntilAClickOnAnEndingClosesIt) {
    makeScene();
    test::ScriptedMouse mouse(nullptr, nullptr);
    DialogueActor actor(0, frames_, 100, 300, 0, box_.get(), &mouse, &glyphs_, 4);
    // Input is read on every second update while talking.
    const auto pressAndUpdate = [&](int32_t x, int32_t y) {
        test::pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y);
        pollInput();
        for (int i = 0; i < 2 && actor.talking(); ++i) actor.update();
    };
    actor.update();
    actor.update();
    ASSERT_EQ(actor.x, 104u);
    ASSERT_TRUE(actor.openConversation());
    mouse.holdOnly("1");
    pressAndUpdate(600, 10);  // anywhere: the greeting goes on by itself
    EXPECT_EQ(choices(), (std::vector<std::string>{"Encore ", "Adieu "}));
    EXPECT_TRUE(actor.talking());
    EXPECT_EQ(actor.animationIndex(), 4u);
    pressAndUpdate(110, 66);
    EXPECT_TRUE(box_->finished() && !actor.talking());
    EXPECT_EQ(std::make_pair(actor.animationIndex(), actor.x), std::make_pair(kWalkRight, 104u));
    mouse.holdOnly("");
    actor.update();
    EXPECT_EQ(actor.x, 108u);
}

}  // namespace
}  // namespace ocre
