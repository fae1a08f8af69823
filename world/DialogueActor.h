#pragma once
// A talker that paces left and right across the map, turning at its edges,
// and that picks conversation choices with the mouse: the player choice
// pressed on, or the line that comes next by itself.

#include <cstdint>

#include "world/Talker.h"

namespace ocre {

class DialogueActor : public Talker {
public:
    enum class Routine { Idle, Start, PaceRight, PaceLeft };

    // Starts pacing to the right at its first scheduled update.
    DialogueActor(int32_t period, const DatStructure& frames, uint32_t x, uint32_t y, uint32_t tag,
                  DialogueBox* box, Controller* controller, const GlyphSource* font, int32_t talkAnimation);

    int32_t pickChoice() override;

    Routine routine() const { return routine_; }
    void setRoutine(Routine routine) { routine_ = routine; }
    // +1 while walking right, -1 while walking left.
    int32_t direction() const { return direction_; }

protected:
    void runStateRoutine() override;

private:
    void start();
    void paceRight();
    void paceLeft();

    int32_t direction_ = 1;
    Routine routine_ = Routine::Start;
};

}  // namespace ocre
