#include "dialogue/DialogueBox.h"

#include <algorithm>
#include <new>

#include "data/FrameSet.h"
#include "dialogue/MouseChoiceRule.h"
#include "gfx/Display.h"
#include "gfx/Input.h"

namespace ocre {

namespace {

constexpr uint32_t kSpeakerPortrait = 0;
constexpr uint32_t kPlayerPortrait = 1;
// Space between two bands, and the columns of the portraits' right edge and
// of the text.
constexpr int64_t kBandGap = 10;
constexpr int64_t kPortraitRight = 90;
constexpr int64_t kTextColumn = 100;

struct Band {
    int64_t offset;
    uint32_t portrait;
};

Band bandOf(int32_t kind, int64_t portraitHeight) {
    if (kind == kSpeakerKind) return {0, kSpeakerPortrait};
    if (kind == kPlayerKind) return {portraitHeight + kBandGap, kPlayerPortrait};
    return {2 * portraitHeight + 2 * kBandGap, kSpeakerPortrait};
}

// Screen arithmetic is done wide and brought back to the 32-bit coordinates
// of the display and the input tables, so no sum can overflow.
int32_t toScreen(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

DialogueBox::DialogueBox(const char* dialogueFile, const char* portraitFile)
    : DialogueTree(dialogueFile), portraits_(new (std::nothrow) FrameSet) {
    if (portraits_) portraits_->load(portraitFile);
}

DialogueBox::~DialogueBox() = default;

uint32_t DialogueBox::portraitHeight() const { return portraits_ ? portraits_->height : 0; }

void DialogueBox::draw(int32_t x, int32_t y, int32_t viewWidth, int32_t viewHeight, Display& display,
                       const GlyphSource& font) const {
    const int64_t portraitWidth = portraits_ ? portraits_->width : 0;
    const int64_t glyphHeight = font.glyphHeight();
    const PointerList<DialogueNode>& choices = currentChoices();
    for (int32_t i = 0; i < choices.count(); ++i) {
        const DialogueNode* choice = choices.at(i);
        const Band band = bandOf(choice->kind(), portraitHeight());
        display.drawText(toScreen(x + kTextColumn), toScreen(y + band.offset + i * glyphHeight),
                         choice->text().c_str(), font, x, y, viewWidth, viewHeight);
        // A portrait file with fewer faces than bands leaves those bands bare.
        if (portraits_ && band.portrait < portraits_->frames.size()) {
            display.drawSurface(portraits_->frames[band.portrait].get(),
                                static_cast<int16_t>(x + kPortraitRight - portraitWidth),
                                static_cast<int16_t>(y + band.offset), static_cast<uint16_t>(portraitWidth),
                                static_cast<uint16_t>(portraitHeight()));
        }
    }
}

int32_t mouseChoice(const DialogueBox& box, const GlyphSource& font) {
    const int64_t portraitHeight = box.portraitHeight();
    const int64_t glyphHeight = font.glyphHeight();
    const int64_t glyphWidth = font.glyphWidth();
    const PointerList<DialogueNode>& choices = box.currentChoices();
    const PressOutcomes outcomes = pressOutcomes(choices);
    for (int32_t i = 0; i < outcomes.pressableUntil; ++i) {
        const DialogueNode* choice = choices.at(i);
        if (choice->kind() != kPlayerKind) continue;
        const int64_t top = bandOf(kPlayerKind, portraitHeight).offset + i * glyphHeight;
        const int64_t length = static_cast<int64_t>(choice->text().size());
        if (pressInRectangle(toScreen(kTextColumn), toScreen(top), toScreen(kTextColumn + (length * glyphWidth) / 2),
                             toScreen(top + glyphHeight)))
            return i;
    }
    return outcomes.otherwise;
}

}  // namespace ocre
