// Sprite frame files, loaded by FrameSet::load as the server loads every
// animation, the portraits and the font. The bytes reach the loader through
// a file of the process's scratch folder. The loader runs inside refusalOf:
// a fatal refusal (the message the server would print before exiting -1)
// unwinds back here as a value, releasing the file and the memory, so it is
// an ordinary outcome of a run; only sanitizer reports and aborts are faults.

#include <cstddef>
#include <cstdint>

#include "core/Fatal.h"
#include "data/FrameSet.h"
#include "fuzz/FuzzSupport.h"
#include "tools/data/ServerLoad.h"
#include "gfx/Display.h"

using namespace ocre;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    toolDisplay();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::writeScratchFile("input.spr", data, size);
    FrameSet frames;
    if (refusalOf([&] { frames.load(path.c_str()); })) return 0;
    // Drawn as an actor's animation is, at the screen's corner: the first
    // and the last frame, as every frame between is drawn the same way.
    if (frames.frames.empty()) return 0;
    Display& display = toolDisplay();
    for (auto* frame : {frames.frames.front().get(), frames.frames.back().get()})
        display.drawSurface(frame, 0, 0, static_cast<uint16_t>(frames.width), static_cast<uint16_t>(frames.height));
    return 0;
}
