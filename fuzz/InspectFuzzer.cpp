// `ocre-data inspect` on any file, through the command's own entry as the
// program runs it. The first byte of the input picks the kind of file (its
// extension: .spr .tle .map .pat .dat .dlg, or one inspect does not know),
// the rest is the file, written to the process's scratch folder beside a
// sound tile file (for maps, found as "test2.tle" in the same folder) and
// two sound sprite files a DAT list may name ("a.spr", "b.spr"). Inspect
// never stops the process on a bad file: it describes the fault and answers
// status 1 (whether it reads with its own checks or through the server's
// loaders under refusalOf), so any abort or sanitizer report is a fault.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/DataSetFiles.h"
#include "fuzz/FuzzSupport.h"
#include "tools/data/Command.h"

using namespace ocre;

namespace {
const char* const kExtensions[] = {".spr", ".tle", ".map", ".pat", ".dat", ".dlg", ".txt"};
constexpr size_t kExtensionCount = sizeof kExtensions / sizeof kExtensions[0];
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
    const std::string path = fuzz::writeScratchFile(std::string("input") + kExtensions[data[0] % kExtensionCount],
                                                    data + 1, size - 1);
    runInspect({path});
    return 0;
}
