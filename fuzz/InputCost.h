#pragma once
// What a few bytes of an input can make a target do. A map header can ask
// for millions of cells and a dialogue line for thousands of children while
// the file holds almost nothing: the loaders accept such files, but one such
// run costs as much as thousands of ordinary ones and explores nothing the
// small versions do not. Under libFuzzer the targets leave such inputs out,
// read from the bytes before anything is loaded; the replay programs of the
// suite run every input whole, so a regression case keeps its full weight.

#include <cstddef>
#include <cstdint>

namespace ocre::fuzz {

// Called once by a replay program before the first input.
void runEveryInputWhole();
// Whether an input that declares `declared` units against a cap of `cap`
// is left out of this run.
bool leftOut(uint64_t declared, uint64_t cap);

// More map cells than a fuzzing input can hold indices for: the rest are
// the missing indices the loader makes 0.
constexpr uint64_t kMostMapCells = 4096;

// The cells the map loader makes for a map file: cols x rows from its
// header (0 when the file is cut before them), or 0 when the loader refuses
// that many before making any.
uint64_t mapCellsMade(const uint8_t* data, size_t size);

// What the dialogue loader reads and makes before it finishes or refuses
// the file.
struct DialogueDeclared {
    uint64_t lines = 0;  // as the loader cuts them
    uint64_t nodes = 1;  // the root and every node the paths create
};
DialogueDeclared dialogueDeclared(const uint8_t* data, size_t size);

}  // namespace ocre::fuzz
