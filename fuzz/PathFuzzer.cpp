// Path files, loaded by the Path construction the server's start-up and the
// sheep's state routines use for "mouton3.pat"; a path that loads is then
// walked as an actor walks it, around its waypoints twice and a little
// beyond, so the loop's wrap and the end of a route are both reached. The
// bytes reach the loader through a file of the process's scratch folder.
// The load runs inside refusalOf: a fatal refusal unwinds back here as a
// value (file and memory released), an ordinary outcome; only sanitizer
// reports and aborts are faults.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/Fatal.h"
#include "data/Path.h"
#include "fuzz/FuzzSupport.h"

using namespace ocre;

namespace {
constexpr uint64_t kMostSteps = 4096;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeScratchFile("input.pat", data, size);
    std::unique_ptr<Path> route;
    if (refusalOf([&] { route = std::make_unique<Path>(path.c_str()); })) return 0;
    const uint64_t steps = std::min<uint64_t>(2 * uint64_t{route->waypointCount()} + 3, kMostSteps);
    for (uint64_t i = 0; i < steps; ++i) {
        route->advance();
        // The queries the walkers choose an animation and a move with.
        route->stepDown();
        route->stepUp();
        route->stepRight();
        route->stepLeft();
        route->mostlyDown();
        route->mostlyLeft();
    }
    return 0;
}
