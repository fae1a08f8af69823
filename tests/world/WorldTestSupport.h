#pragma once
// What the world tests share: frame lists and maps built in memory, a scene
// published as current, controllers whose answers the test sets, a view
// with a fixed camera, a display that records draws, and real SDL input.

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/DatStructure.h"
#include "data/Map.h"
#include "dialogue/DialogueBox.h"
#include "gfx/Input.h"
#include "tests/support/RecordingDisplay.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestFiles.h"
#include "world/Actor.h"
#include "world/ActorView.h"
#include "world/AnimationIndex.h"
#include "world/Controller.h"
#include "world/MouseController.h"
#include "world/Pointer.h"
#include "world/Scene.h"

namespace ocre::test {

// Where the actor stands, for checking both coordinates at once.
inline std::pair<uint32_t, uint32_t> at(const Actor& actor) { return {actor.x, actor.y}; }

// count animations of one frame each, w x h with the box (0, 0, w-1, h-1).
DatStructure makeFrames(uint32_t count, uint32_t width, uint32_t height);

// Writes conversation and two black 4 x 32 portraits into dir, then loads
// the box (the display must be open).
std::unique_ptr<DialogueBox> loadDialogueBox(const std::string& dir, const std::string& conversation);

// Answers yes to the queries named in held: U D L R J (jump), 1 and 2
// (fire1, fire2), E (escape): the order of the queries.
template <class Base>
class Scripted : public Base {
public:
    using Base::Base;
    void holdOnly(const std::string& held) {
        answers_.fill(false);
        for (char query : held) answers_.at(std::string("UDLRJ12E").find(query)) = true;
    }
    int32_t up() override { return answers_[0]; }
    int32_t down() override { return answers_[1]; }
    int32_t left() override { return answers_[2]; }
    int32_t right() override { return answers_[3]; }
    int32_t jump() override { return answers_[4]; }
    int32_t fire1() override { return answers_[5]; }
    int32_t fire2() override { return answers_[6]; }
    int32_t escape() override { return answers_[7]; }

private:
    std::array<bool, kCommandCount> answers_{};
};
using ScriptedController = Scripted<Controller>;
// Scripted answers, but the real press position and pointer of a mouse.
using ScriptedMouse = Scripted<MouseController>;

// A camera at a fixed origin; logs "R<client><up flag>" on each refresh.
struct FixedView : ActorView {
    FixedView(int32_t originX, int32_t originY, uint32_t client = 0, std::string* log = nullptr)
        : originX(originX), originY(originY), client(client), log(log) {}
    void refresh() override {
        if (log) *log += "R" + std::to_string(client) + (commandFlag(Command::Up) ? "+ " : "- ");
    }
    int32_t toWorldX(int32_t screenX) const override { return originX + screenX; }
    int32_t toWorldY(int32_t screenY) const override { return originY + screenY; }
    uint32_t clientNumber() const override { return client; }
    int32_t originX, originY;
    uint32_t client;
    std::string* log;
};

// Clean input tables and a pinned pointer for every test; SDL's event queue
// is up so that real mouse and key events can be pushed.
class WorldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A current scene over cols x rows tiles of 32 pixels; blocked lists
    // the (column, row) cells that cannot be walked on.
    Scene& makeScene(uint32_t cols = 20, uint32_t rows = 15,
                     const std::vector<std::pair<uint32_t, uint32_t>>& blocked = {});

    static void pushButton(bool pressed, uint8_t button, int32_t x, int32_t y) {
        test::pushButton(pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, button, x, y);
    }
    static void pressKey(int symbol) { pushKey(SDL_KEYDOWN, symbol); }

    std::unique_ptr<Map> map_;
    RecordingDisplay display_;
    std::unique_ptr<Scene> scene_;
};

}  // namespace ocre::test
