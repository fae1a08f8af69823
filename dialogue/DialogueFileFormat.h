#pragma once
// The layout of a ".dlg" conversation file, in one place for the server's
// loader and for the data tool that checks such files: each line is an
// unused number, the path of 1-based child numbers from the root, the kind
// and the text, separated by '|'.

#include <cstddef>
#include <cstdint>

namespace ocre {

constexpr char kDialogueFieldSeparator = '|';
// Unused number, at least one path-or-kind field, and the text.
constexpr size_t kDialogueMinFields = 3;
// One read takes at most this many characters minus one (the terminating
// zero of the original buffer); the rest of a longer line is a line of its own.
constexpr size_t kDialogueLineBufferSize = 999;
// In a path: 0 marks the node reached so far as an ending, -1 ends the path.
constexpr int32_t kDialogueEndingMark = 0;
constexpr int32_t kDialoguePathEnd = -1;
// Every child number creates the missing children before it, so a few big
// numbers could ask for billions of nodes; no hand-written conversation comes
// near this many, and a file that asks for more is refused like any other
// broken one.
constexpr size_t kDialogueMostNodes = 20000;
// The texts of the root and of children created only to reach a later one.
inline constexpr char kDialogueRootText[] = "racine";
inline constexpr char kDialogueFillerText[] = "fils";

// Kinds: a line of the person spoken to (also what a node is until a line
// gives it a kind) and a choice of the player.
constexpr int32_t kSpeakerKind = 1;
constexpr int32_t kPlayerKind = 2;

}  // namespace ocre
