#include "dialogue/DialogueBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogue/Font.h"
#include "gfx/DisplaySDL.h"
#include "gfx/Input.h"
#include "gfx/Surface.h"
#include "tests/dialogue/DialogueTestSupport.h"
#include "net/FastEvent.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

using test::Rgb;

const Rgb kSpeakerFace{255, 0, 0};
const Rgb kPlayerFace{0, 0, 255};
constexpr uint16_t kFaceWidth = 20;
constexpr uint16_t kFaceHeight = 32;

// A line of the person spoken to, two player choices, a line of kind 5.
constexpr const char* kFourBands =
    "1|1|1|Bonjour\n"
    "1|2|2|Oui\n"
    "1|3|2|Non\n"
    "1|4|5|Autre\n";

class DialogueBoxTest : public ::testing::Test {
protected:
    void SetUp() override { display_.open(); }

    std::unique_ptr<DialogueBox> openBox(const std::string& conversation,
                                         const std::vector<Rgb>& faces = {kSpeakerFace, kPlayerFace}) {
        test::writeFile(dir_.file("box.dlg"), conversation);
        test::writeSpriteFile(dir_.file("faces.spr"), kFaceWidth, kFaceHeight, faces);
        auto box = std::make_unique<DialogueBox>(dir_.file("box.dlg").c_str(), dir_.file("faces.spr").c_str());
        box->reset();
        return box;
    }

    DisplaySDL display_{640, 480, 32};
    test::TempDir dir_;
};

TEST_F(DialogueBoxTest, EachChoiceGoesInTheBandOfItsKindWithItsPortrait) {
    auto box = openBox(kFourBands);
    EXPECT_EQ(box->portraitHeight(), kFaceHeight);
    test::RecordingDisplay recorder;
    test::FixedGlyphs font(16, 16);
    box->draw(30, 40, 320, 240, recorder, font);

    // Bands start at 0, H + 10 and 2H + 20; rows count every choice.
    const std::vector<test::TextCall> texts{{130, 40, "Bonjour ", 30, 40, 320, 240},
                                            {130, 40 + 42 + 16, "Oui ", 30, 40, 320, 240},
                                            {130, 40 + 42 + 32, "Non ", 30, 40, 320, 240},
                                            {130, 40 + 84 + 48, "Autre ", 30, 40, 320, 240}};
    EXPECT_EQ(recorder.texts, texts);

    const std::vector<std::pair<Rgb, int16_t>> faces{
        {kSpeakerFace, 40}, {kPlayerFace, 82}, {kPlayerFace, 82}, {kSpeakerFace, 124}};
    ASSERT_EQ(recorder.surfaces.size(), faces.size());
    for (size_t i = 0; i < faces.size(); ++i) {
        const test::SurfaceCall& call = recorder.surfaces[i];
        EXPECT_EQ(test::pixelAt(call.surface->sdlSurface(), 0, 0), faces[i].first) << i;
        EXPECT_EQ(call.x, 30 + 90 - kFaceWidth) << i;
        EXPECT_EQ(call.y, faces[i].second) << i;
        EXPECT_EQ(call.w, kFaceWidth) << i;
        EXPECT_EQ(call.h, kFaceHeight) << i;
    }
    // Each choice: its text, then its portrait.
    EXPECT_EQ(recorder.order, "TSTSTSTS");
}

TEST_F(DialogueBoxTest, BandsWithoutAPortraitFrameStayBare) {
    auto box = openBox(kFourBands, {kSpeakerFace});
    test::RecordingDisplay recorder;
    box->draw(0, 0, 640, 480, recorder, test::FixedGlyphs(8, 8));
    EXPECT_EQ(recorder.texts.size(), 4u);
    ASSERT_EQ(recorder.surfaces.size(), 2u);
    EXPECT_EQ(recorder.surfaces[0].y, 0);
    EXPECT_EQ(recorder.surfaces[1].y, 2 * kFaceHeight + 20);
}

TEST_F(DialogueBoxTest, DrawsPortraitAndTextOntoTheScreen) {
    auto box = openBox("1|1|2|Oui\n");
    const std::string fontPath = dir_.file("fonte.spr");
    std::vector<Rgb> glyphs(256, Rgb{0, 200, 0});
    glyphs['O'] = {200, 200, 0};
    test::writeSpriteFile(fontPath, 10, 10, glyphs);
    Font font(fontPath.c_str());
    display_.clear(0, 0, 0);
    box->draw(50, 60, 640, 480, display_, font);

    SDL_Surface* screen = displayScreen();
    const int faceLeft = 50 + 90 - kFaceWidth;
    const int playerBand = 60 + kFaceHeight + 10;
    EXPECT_EQ(test::pixelAt(screen, faceLeft, playerBand), kPlayerFace);
    EXPECT_EQ(test::pixelAt(screen, faceLeft + kFaceWidth - 1, playerBand + kFaceHeight - 1), kPlayerFace);
    EXPECT_EQ(test::pixelAt(screen, faceLeft - 1, playerBand), (Rgb{0, 0, 0}));
    EXPECT_EQ(test::pixelAt(screen, faceLeft, playerBand - 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(test::pixelAt(screen, 150, playerBand), (Rgb{200, 200, 0}));
    EXPECT_EQ(test::pixelAt(screen, 149, playerBand), (Rgb{0, 0, 0}));
}

// The box as the dialogue actor sees it: drawn at the screen's origin, with
// 16-pixel glyph rows and 32-pixel portraits, so the player band starts at 42.
class MouseChoiceTest : public DialogueBoxTest {
protected:
    void SetUp() override {
        DialogueBoxTest::SetUp();
        ASSERT_EQ(fe_start(), 0);
        resetInputForTesting();
    }
    void TearDown() override { fe_stop(); }

    // Glyph width 12 makes a four-byte text 24 pixels wide: (4 * 12) / 2.
    int32_t choiceAfterPressAt(const DialogueBox& box, int x, int y) {
        SDL_Event press{};
        press.button.type = SDL_MOUSEBUTTONDOWN;
        press.button.button = SDL_BUTTON_LEFT;
        press.button.state = SDL_PRESSED;
        press.button.x = static_cast<Uint16>(x);
        press.button.y = static_cast<Uint16>(y);
        fe_push(&press);
        pollInput();
        return mouseChoice(box, test::FixedGlyphs(12, 16));
    }
};

TEST_F(MouseChoiceTest, PressesOnPlayerChoicesPickThemEdgesIncluded) {
    auto box = openBox("1|1|1|Bonjour\n1|2|2|Oui\n1|3|2|Non\n");
    // Oui is row 1: y from 42 + 16 to 42 + 32; Non is row 2, from 74 to 90.
    EXPECT_EQ(choiceAfterPressAt(*box, 100, 58), 1);
    EXPECT_EQ(choiceAfterPressAt(*box, 124, 70), 1);
    EXPECT_EQ(choiceAfterPressAt(*box, 110, 74), 1);
    EXPECT_EQ(choiceAfterPressAt(*box, 110, 75), 2);
    EXPECT_EQ(choiceAfterPressAt(*box, 124, 90), 2);
}

TEST_F(MouseChoiceTest, APressBesideThePlayerChoicesFallsBackToTheOtherLines) {
    auto box = openBox("1|1|1|Bonjour\n1|2|2|Oui\n1|3|2|Non\n");
    EXPECT_EQ(choiceAfterPressAt(*box, 125, 60), 0);
    EXPECT_EQ(choiceAfterPressAt(*box, 99, 60), 0);
    EXPECT_EQ(choiceAfterPressAt(*box, 110, 57), 0);
    EXPECT_EQ(choiceAfterPressAt(*box, 110, 91), 0);
}

TEST_F(MouseChoiceTest, OnlyPlayerChoicesAndAMissGiveNothing) {
    auto box = openBox("1|1|2|Oui\n1|2|2|Non\n");
    EXPECT_EQ(choiceAfterPressAt(*box, 300, 300), -1);
    EXPECT_EQ(choiceAfterPressAt(*box, 110, 60), 1);
}

TEST_F(MouseChoiceTest, NoChoicesGiveNothing) {
    auto box = openBox("");
    EXPECT_EQ(choiceAfterPressAt(*box, 110, 50), -1);
}

TEST_F(MouseChoiceTest, AnEndingLineIsTakenWhereverThePressWhenMetFirst) {
    auto box = openBox("1|1|2|Oui\n1|2|0|1|Adieu\n1|3|2|Non\n");
    EXPECT_EQ(choiceAfterPressAt(*box, 110, 80), 1);
    EXPECT_EQ(choiceAfterPressAt(*box, 300, 300), 1);
    // A hit on a choice before it wins: the ending line is never looked at.
    EXPECT_EQ(choiceAfterPressAt(*box, 110, 50), 0);
}

TEST_F(MouseChoiceTest, WithoutAHitTheLargestKindWinsTheFirstAmongEquals) {
    auto box = openBox("1|1|-5|Moins\n1|2|3|Trois\n1|3|2|Oui\n1|4|7|Sept\n1|5|7|Encore\n1|6|1|Un\n");
    EXPECT_EQ(choiceAfterPressAt(*box, 300, 300), 3);
    auto negative = openBox("1|1|-5|Moins\n1|2|-1|Moins un\n1|3|2|Oui\n");
    EXPECT_EQ(choiceAfterPressAt(*negative, 300, 300), 1);
}

TEST(DialogueBoxLoading, ReadsTheConversationBeforeThePortraits) {
    test::TempDir dir;
    const std::string conversation = dir.file("absent.dlg");
    const std::string faces = dir.file("absent.spr");
    test::ChildResult result = test::runInChild([&] {
        DisplaySDL display(640, 480, 32);
        display.open();
        DialogueBox box(conversation.c_str(), faces.c_str());
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + conversation);

    test::writeFile(conversation, "1|1|1|Bonjour\n");
    result = test::runInChild([&] {
        DisplaySDL display(640, 480, 32);
        display.open();
        DialogueBox box(conversation.c_str(), faces.c_str());
    });
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out, "erreur d'ouverture du fichier " + faces);
}

}  // namespace
}  // namespace ocre
