#pragma once
// A validating reader for dialogue tree files: it builds the same tree as
// the server's loader (same line splitting, paths, fillers, endings) but
// never stops the process, and says what is wrong instead. It also plays
// every way of clicking through the conversation with the mouse-choice
// rule, to tell whether an ending can be reached and whether the player
// can get stuck.

#include <cstdint>
#include <string>
#include <vector>

#include "dialogue/DialogueFileFormat.h"

namespace ocre {

struct OutlineNode {
    std::string text;  // "racine" or "fils" until a line addresses the node
    int32_t kind = kSpeakerKind;
    bool ending = false;
    int addressedOnLine = 0;  // 0: never addressed
    std::vector<int> children;
};

struct DialogueOutline {
    std::vector<OutlineNode> nodes;  // node 0 is the root once a line is read
    bool refused = false;            // the server's loader would stop the program
    std::vector<std::string> problems;
    std::vector<std::string> notes;  // allowed, but probably not meant
};

DialogueOutline readDialogueOutline(const std::vector<uint8_t>& bytes);
// Each node's child numbers from the root, "1.2.1"; the root's is empty.
std::vector<std::string> nodeLabels(const DialogueOutline& outline);

struct ClickWalk {
    bool complete = true;      // false when the exploration hit its size limit
    bool reachesEnding = false;
    int fewestClicks = -1;     // to an ending, -1 if none
    bool canGetStuck = false;  // a reachable list with no line left: it never finishes
    std::vector<int> stuckAfter;  // the nodes validated on the way to such a list
};

// Every click either presses on one of the player choices of the current
// list or elsewhere; the conversation starts from the root's children.
ClickWalk walkByClicks(const DialogueOutline& outline);

}  // namespace ocre
