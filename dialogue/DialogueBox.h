#pragma once
// A conversation laid out on screen: each current choice is a row of text in
// the band of its kind (lines of the person spoken to, choices of the player,
// other lines), with a portrait to the left of the band. The same geometry,
// read backwards, tells which player choice a mouse press falls on.

#include <cstdint>
#include <memory>

#include "data/DataSetFiles.h"
#include "dialogue/DialogueTree.h"

namespace ocre {

struct FrameSet;

constexpr const char* kPortraitFile = dataset::kPortraitFile;

class DialogueBox : public DialogueTree {
public:
    // Loads the conversation, then the portraits (frame 0 the person spoken
    // to, frame 1 the player); both need an open display.
    explicit DialogueBox(const char* dialogueFile, const char* portraitFile = kPortraitFile);
    ~DialogueBox() override;

    void draw(int32_t x, int32_t y, int32_t viewWidth, int32_t viewHeight, Display& display,
              const GlyphSource& font) const override;

    // 0 when the portraits could not be allocated.
    uint32_t portraitHeight() const;

private:
    std::unique_ptr<FrameSet> portraits_;
};

// The current choice to validate after the last mouse press, for a box drawn
// at the screen's origin, by the rule of MouseChoiceRule.h; -1 for nothing.
int32_t mouseChoice(const DialogueBox& box, const GlyphSource& font);

}  // namespace ocre
