#pragma once
// An actor one can talk to. It carries a dialogue box; while a conversation
// is open it stands in its talk animation and, instead of running its state
// routine, reads the player's choices (on every second update at most) until
// the conversation finishes. This kind picks choices with its controller's
// up and down and validates them with fire1.

#include <cstdint>

#include "world/Actor.h"

namespace ocre {

class Controller;
class DialogueBox;
class GlyphSource;

class Talker : public Actor {
public:
    // talkAnimation: the animation shown while talking; 0 if it is not an
    // entry of the animation list. box, controller and font are not owned.
    Talker(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag, DialogueBox* box,
           Controller* controller, const GlyphSource* font, int32_t talkAnimation);

    bool isTalker() const override { return true; }
    void update() override;
    // The actor, then the conversation over the view while one is open.
    void draw(int32_t viewX, int32_t viewY, int32_t screenX, int32_t screenY, int32_t viewWidth,
              int32_t viewHeight) override;
    // The index among the box's current choices to validate now, -1 for none.
    virtual int32_t pickChoice();

    // Starts a conversation (the player clicked this actor): the box starts
    // over and the talk animation shows. False, and nothing changes, without
    // a box.
    bool openConversation();

    bool talking() const { return talking_ != 0; }
    DialogueBox* dialogueBox() const { return box_; }
    uint32_t talkAnimation() const { return talkAnimation_; }
    int32_t choiceCursor() const { return choiceCursor_; }

protected:
    Controller* controller() const { return controller_; }
    const GlyphSource* font() const { return font_; }

private:
    // One update while talking: maybe validate a choice, then close the
    // conversation once the box has finished.
    void converse(bool inputDue);

    DialogueBox* box_;
    int32_t choiceCursor_ = 0;
    Controller* controller_;
    const GlyphSource* font_;
    uint8_t talking_ = 0;
    // Choices are read on every (inputPeriod+1)-th update.
    int32_t inputPeriod_ = 1;
    int32_t inputCounter_ = 0;
    uint32_t talkAnimation_;
    AnimatedSprite* savedAnimation_ = nullptr;
};

}  // namespace ocre
