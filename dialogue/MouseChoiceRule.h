#pragma once
// Which current choice a mouse press validates, apart from where the rows
// lie on screen: the dialogue box applies it to a real press, and the data
// tool to every press there could be.
//
// Walking the choices in order, a player choice pressed on is taken, unless
// a line of the other side that ends the conversation comes before it: that
// line is taken whatever the press. A press on no player choice takes that
// ending line or, without one, the other side's line of the highest kind
// (the first of equals); nothing (-1) when every choice is the player's.

#include <cstdint>

#include "dialogue/DialogueFileFormat.h"

namespace ocre {

struct PressOutcomes {
    // Player choices below this index are taken when pressed on.
    int32_t pressableUntil = 0;
    // What a press on none of them takes; -1 for nothing.
    int32_t otherwise = -1;
};

// `choices`: the current choices in order, a range of node pointers. One
// pass, however long the list.
template <typename Choices>
PressOutcomes pressOutcomes(const Choices& choices) {
    PressOutcomes outcomes;
    int32_t highest = -1;
    int32_t highestKind = 0;
    int32_t i = 0;
    for (const auto* choice : choices) {
        if (choice->kind() != kPlayerKind) {
            if (choice->isEnding()) {
                outcomes.pressableUntil = i;
                outcomes.otherwise = i;
                return outcomes;
            }
            if (highest == -1 || choice->kind() > highestKind) {
                highest = i;
                highestKind = choice->kind();
            }
        }
        ++i;
    }
    outcomes.pressableUntil = i;
    outcomes.otherwise = highest;
    return outcomes;
}

}  // namespace ocre
