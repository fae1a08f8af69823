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
#include <vector>

#include "data/DatStructure.h"
#include "dialogue/DialogueBox.h"
#include "data/Map.h"
#include "gfx/Display.h"
#include "gfx/Input.h"
#include "world/ActorView.h"
#include "world/Controller.h"
#include "world/MouseController.h"
#include "world/Scene.h"
#include "tests/support/RecordingDisplay.h"

namespace ocre::test {

// count animations of one frame each, every frame w x h with the box
// (0, 0, w - 1, h - 1); no surfaces.
DatStructure makeFrames(uint32_t count, uint32_t width, uint32_t height);

// A cols x rows grid of tileSize tiles; cells listed in blocked are not
// walkable (as column, row pairs).
std::unique_ptr<Map> makeMap(uint32_t cols, uint32_t rows, uint32_t tileSize,
                             const std::vector<std::pair<uint32_t, uint32_t>>& blocked = {});

// Writes conversation into dir/talk.dlg and two black 4 x 32 portraits
// into dir/faces.spr, then loads the box (the display must be open).
std::unique_ptr<DialogueBox> loadDialogueBox(const std::string& dir, const std::string& conversation);
constexpr uint32_t kPortraitHeight = 32;

// Answers whatever the test holds; remembers which queries were asked.
template <class Base>
class Scripted : public Base {
public:
    using Base::Base;
    void hold(Command query, bool held = true) { answers_[static_cast<size_t>(query)] = held; }
    void releaseAll() { answers_.fill(false); }
    const std::vector<Command>& asked() const { return asked_; }

    int32_t up() override { return answer(Command::Up); }
    int32_t down() override { return answer(Command::Down); }
    int32_t left() override { return answer(Command::Left); }
    int32_t right() override { return answer(Command::Right); }
    int32_t jump() override { return answer(Command::Jump); }
    int32_t fire1() override { return answer(Command::Fire1); }
    int32_t fire2() override { return answer(Command::Fire2); }
    int32_t escape() override { return answer(Command::Escape); }

private:
    int32_t answer(Command query) {
        asked_.push_back(query);
        return answers_[static_cast<size_t>(query)];
    }
    std::array<bool, kCommandCount> answers_{};
    std::vector<Command> asked_;
};

using ScriptedController = Scripted<Controller>;
// Scripted answers, but the real press position and pointer of a mouse.
using ScriptedMouse = Scripted<MouseController>;

// A camera at a fixed origin; records refreshes into a shared log.
class FixedView : public ActorView {
public:
    FixedView(int32_t originX, int32_t originY, uint32_t clientNumber = 0, std::string* log = nullptr)
        : originX_(originX), originY_(originY), clientNumber_(clientNumber), log_(log) {}
    void refresh() override {
        if (log_) *log_ += "R" + std::to_string(clientNumber_) + (commandFlag(Command::Up) ? "+" : "-") + " ";
    }
    int32_t toWorldX(int32_t screenX) const override { return originX_ + screenX; }
    int32_t toWorldY(int32_t screenY) const override { return originY_ + screenY; }
    uint32_t clientNumber() const override { return clientNumber_; }

private:
    int32_t originX_;
    int32_t originY_;
    uint32_t clientNumber_;
    std::string* log_;
};


// Clean input tables and a pinned pointer for every test; SDL's event queue
// is up so that real mouse and key events can be pushed.
class WorldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A scene over a map of cols x rows tiles of 32 pixels, made current.
    Scene& makeScene(uint32_t cols = 20, uint32_t rows = 15,
                     const std::vector<std::pair<uint32_t, uint32_t>>& blocked = {});

    static void pressButton(uint8_t button, uint16_t x, uint16_t y);
    static void releaseButton(uint8_t button, uint16_t x, uint16_t y);
    static void pressKey(int symbol);

    std::unique_ptr<Map> map_;
    RecordingDisplay display_;
    std::unique_ptr<Scene> scene_;
};

}  // namespace ocre::test
