// DAT name lists, loaded by DatStructure::load as the server's start-up
// loads "songroku.dat" and the other actor lists: each name is opened
// relative to the working folder, so the load runs in the process's scratch
// folder, which holds the list itself ("input.dat") and three sprite frame
// files an input may name: "a.spr" and "b.spr" (sound) and "short.spr" (cut
// short). The load runs inside refusalOf: a fatal refusal unwinds back here
// as a value (files and memory released), an ordinary outcome; only
// sanitizer reports and aborts are faults. Artifacts are written relative
// to the working folder of the fuzzer, so give it an absolute
// -artifact_prefix (scripts/fuzz.sh does).

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Fatal.h"
#include "data/DatStructure.h"
#include "fuzz/FuzzSupport.h"
#include "tools/data/ServerLoad.h"

using namespace ocre;

namespace {

std::string startFolder;

// Back to the fuzzer's own folder however the load ends.
class InScratchFolder {
public:
    InScratchFolder() { enter(fuzz::scratchFolder()); }
    ~InScratchFolder() { enter(startFolder); }

private:
    static void enter(const std::string& folder) {
        if (chdir(folder.c_str()) != 0) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    toolDisplay();
    std::vector<char> here(4096);
    if (getcwd(here.data(), here.size()) == nullptr) std::abort();
    startFolder = here.data();
    fuzz::writeScratchFile("a.spr", fuzz::smallSpriteFile(2, 3, 2));
    fuzz::writeScratchFile("b.spr", fuzz::smallSpriteFile(1, 1, 1));
    std::vector<uint8_t> cut = fuzz::smallSpriteFile(2, 3, 2);
    cut.resize(cut.size() - 5);
    fuzz::writeScratchFile("short.spr", cut);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::writeScratchFile("input.dat", data, size);
    InScratchFolder inScratch;
    DatStructure animations;
    refusalOf([&] { animations.load("input.dat"); });
    return 0;
}
