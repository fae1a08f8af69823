// Tile files, loaded as the server's start-up loads "test2.tle": the Map's
// construction counts the complete records with skipTile, then reads each
// with readTile; every tile is then drawn once. The bytes reach the loader
// through a file of the process's scratch folder. The load runs inside
// refusalOf: a fatal refusal unwinds back here as a value (file and memory
// released), an ordinary outcome; only sanitizer reports and aborts are
// faults.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/Fatal.h"
#include "data/Map.h"
#include "fuzz/FuzzSupport.h"
#include "tools/data/ServerLoad.h"
#include "gfx/Tile.h"

using namespace ocre;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    toolDisplay();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeScratchFile("input.tle", data, size);
    Display& display = toolDisplay();
    std::unique_ptr<Map> map;
    if (refusalOf([&] { map = std::make_unique<Map>(path.c_str(), &display); })) return 0;
    for (uint32_t i = 0; i < map->tileCount(); ++i) drawTile(*map->tile(i), 0, 0, display);
    return 0;
}
