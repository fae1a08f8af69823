#include "dialogue/DialogueBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gfx/DisplaySDL.h"
#include "gfx/Input.h"
#include "gfx/Surface.h"
#include "net/FastEvent.h"
#include "tests/support/DataFiles.h"
#include "tests/support/Pixels.h"
#include "tests/support/RecordingDisplay.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestFiles.h"

namespace ocre {
namespace {

constexpr uint32_t kSpeakerFace = 0xFF0000;
constexpr uint32_t kPlayerFace = 0x0000FF;
constexpr uint16_t kFaceWidth = 20;
constexpr uint16_t kFaceHeight = 32;

class DialogueBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        display_.open();
        ASSERT_EQ(fe_start(), 0);
        resetInputForTesting();
    }
    void TearDown() override { fe_stop(); }

    std::unique_ptr<DialogueBox> openBox(const std::string& conversation,
                                         const std::vector<uint32_t>& faces = {kSpeakerFace, kPlayerFace}) {
        test::writeFile(dir_.file("box.dlg"), conversation);
        test::writeFile(dir_.file("faces.spr"), test::colourSprite(kFaceWidth, kFaceHeight, faces));
        auto box = std::make_unique<DialogueBox>(dir_.file("box.dlg").c_str(), dir_.file("faces.spr").c_str());
        box->reset();
        return box;
    }

    // The box as the dialogue actor sees it: drawn at the screen's origin,
    // with 16-pixel glyph rows and 32-pixel portraits, so the player band
    // starts at 42; glyph width 12 makes "Oui " 24 pixels wide: (4 * 12) / 2.
    int32_t choiceAfterPressAt(const DialogueBox& box, int x, int y) {
        test::pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y);
        pollInput();
        return mouseChoice(box, test::FixedGlyphs(12, 16));
    }

    DisplaySDL display_{640, 480, 32};
    test::TempDir dir_;
};

TEST_F(DialogueBoxTest, EachChoiceGoesInTheBandOfItsKindWithItsPortrait) {
    // A line of the person spoken to, two player choices, a line of kind 5.
    const std::string fourBands = "1|1|1|Bonjour\n1|2|2|Oui\n1|3|2|Non\n1|4|5|Autre\n";
    auto box = openBox(fourBands);
    test::RecordingDisplay recorder;
    box->draw(30, 40, 320, 240, recorder, test::FixedGlyphs(16, 16));

    // Bands start at 0, H + 10 and 2H + 20; rows count every choice.
    const std::vector<test::TextCall> texts{{130, 40, "Bonjour ", 30, 40, 320, 240},
                                            {130, 40 + 42 + 16, "Oui ", 30, 40, 320, 240},
                                            {130, 40 + 42 + 32, "Non ", 30, 40, 320, 240},
                                            {130, 40 + 84 + 48, "Autre ", 30, 40, 320, 240}};
    EXPECT_EQ(recorder.texts, texts);
    // Each choice: its text, then its band's portrait, right-aligned at x + 90, full size.
    EXPECT_EQ(recorder.order, "TSTSTSTS");
    std::vector<std::pair<uint32_t, int>> faces;
    for (const test::SurfaceCall& call : recorder.surfaces) {
        EXPECT_EQ(std::make_tuple(call.x, call.w, call.h), std::make_tuple(120 - kFaceWidth, kFaceWidth, kFaceHeight));
        faces.emplace_back(test::colourAt(call.surface->sdlSurface(), 0, 0), call.y);
    }
    EXPECT_EQ(faces, (std::vector<std::pair<uint32_t, int>>{
                         {kSpeakerFace, 40}, {kPlayerFace, 82}, {kPlayerFace, 82}, {kSpeakerFace, 124}}));

    // A portrait file with one face leaves the player band bare.
    test::RecordingDisplay bare;
    openBox(fourBands, {kSpeakerFace})->draw(0, 0, 640, 480, bare, test::FixedGlyphs(8, 8));
    EXPECT_EQ(bare.order, "TSTTTS");
}

TEST_F(DialogueBoxTest, MouseChoiceIsThePressedPlayerChoiceElseAnEndingElseTheLargestKind) {
    const std::string ouiNon = "1|1|1|Bonjour\n1|2|2|Oui\n1|3|2|Non\n";
    const std::string onlyPlayer = "1|1|2|Oui\n1|2|2|Non\n";
    const std::string ending = "1|1|2|Oui\n1|2|0|1|Adieu\n1|3|2|Non\n";
    const struct { std::string conversation; int x, y, expected; } rows[] = {
        // Oui: x 100..124, y 58..74; Non: y 74..90; edges included, the earlier row first.
        {ouiNon, 100, 58, 1}, {ouiNon, 110, 74, 1}, {ouiNon, 110, 75, 2}, {ouiNon, 124, 90, 2},
        // A miss falls back to the kind-1 line.
        {ouiNon, 125, 60, 0}, {ouiNon, 99, 60, 0}, {ouiNon, 110, 57, 0}, {ouiNon, 110, 91, 0},
        {onlyPlayer, 110, 60, 1}, {onlyPlayer, 300, 300, -1}, {"", 110, 50, -1},
        // An ending line met first is taken wherever the press; after a hit it is never looked at.
        {ending, 110, 80, 1}, {ending, 300, 300, 1}, {ending, 110, 50, 0},
        // The largest kind, the first among equals; negative kinds too.
        {"1|1|-5|Moins\n1|2|3|Trois\n1|3|2|Oui\n1|4|7|Sept\n1|5|7|Encore\n1|6|1|Un\n", 300, 300, 3},
        {"1|1|-5|Moins\n1|2|-1|Moins un\n1|3|2|Oui\n", 300, 300, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.conversation + "pressed at " + std::to_string(row.x) + "," + std::to_string(row.y));
        EXPECT_EQ(choiceAfterPressAt(*openBox(row.conversation), row.x, row.y), row.expected);
    }
}

// The conversation is read before the portraits: its opening error comes first.
TEST(DialogueBoxLoading, ReadsTheConversationFirst) {
    EXPECT_TRUE(test::diesWith([] { DialogueBox box("/absent/box.dlg", "/absent/faces.spr"); },
                               "erreur d'ouverture du fichier /absent/box.dlg"));
}

}  // namespace
}  // namespace ocre
