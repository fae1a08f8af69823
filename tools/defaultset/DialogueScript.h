#pragma once
// The conversation with the mayor of Pawn, as the text of a dialogue tree
// file (code page 1252, line feeds). Every branch alternates a line of the
// mayor (kind 1) with choices of the player (kind 2) and ends on a line of
// the mayor marked as an ending, so it can be walked through by clicks.

#include <string>

namespace ocre {

std::string mayorDialogue();

}  // namespace ocre
