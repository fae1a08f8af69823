// `ocre-data inspect` on any file, through the command's own entry as the
// program runs it. The first byte of the input picks the kind of file (its
// extension: .spr .tle .map .pat .dat .dlg, or one inspect does not know),
// the rest is the file, written to the process's scratch folder beside a
// sound tile file (for maps, found as "test2.tle" in the same folder) and
// two sound sprite files a DAT list may name ("a.spr", "b.spr"). Inspect
// never stops the process on a bad file: it describes the fault and answers
// status 1 (whether it reads with its own checks or through the server's
// loaders under refusalOf), so any abort or sanitizer report is a fault.
// The file is removed after each run, so that a tile file given to one run
// is never the tile file of a later run's map. Maps and conversations that
// would have far more cells or nodes than the input holds, or conversations
// of more lines than a few, whose ways of clicking through grow as two to
// the power of their choices, are left out while fuzzing (see InputCost.h).

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <string>

#include "data/DataSetFiles.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/InputCost.h"
#include "tools/data/Command.h"

using namespace ocre;

namespace {
const char* const kExtensions[] = {".spr", ".tle", ".map", ".pat", ".dat", ".dlg", ".txt"};
constexpr size_t kExtensionCount = sizeof kExtensions / sizeof kExtensions[0];
constexpr size_t kMapKind = 2;
constexpr size_t kDialogueKind = 5;
// Every way of clicking through a conversation is tried: eight lines with
// a choice each already give hundreds of them, over lists of up to as many
// choices as there are nodes.
constexpr uint64_t kMostDialogueLines = 8;
constexpr uint64_t kMostDialogueNodes = 32;

bool costly(size_t kind, const uint8_t* file, size_t size) {
    if (kind == kMapKind) return fuzz::leftOut(fuzz::mapCellsMade(file, size), fuzz::kMostMapCells);
    if (kind != kDialogueKind) return false;
    const fuzz::DialogueDeclared declared = fuzz::dialogueDeclared(file, size);
    return fuzz::leftOut(declared.nodes, kMostDialogueNodes) || fuzz::leftOut(declared.lines, kMostDialogueLines);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    // No display is opened here: inspect opens what it needs itself.
    fuzz::writeScratchFile(dataset::kTileFile, fuzz::smallTileFile());
    fuzz::writeScratchFile("a.spr", fuzz::smallSpriteFile(2, 3, 2));
    fuzz::writeScratchFile("b.spr", fuzz::smallSpriteFile(1, 1, 1));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t kind = data[0] % kExtensionCount;
    if (costly(kind, data + 1, size - 1)) return 0;
    const std::string path = fuzz::writeScratchFile(std::string("input") + kExtensions[kind], data + 1, size - 1);
    runInspect({path});
    std::remove(path.c_str());
    return 0;
}
