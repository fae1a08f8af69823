// Font files, loaded by the Font construction the server's start-up runs
// for "fonte.spr" (a sprite frame file that should hold 256 glyphs; one that
// does not is reported and used as it is), then every byte value drawn as
// text. The bytes reach the loader through a file of the process's scratch
// folder. The load runs inside refusalOf: a fatal refusal unwinds back here
// as a value (file and memory released), an ordinary outcome; only
// sanitizer reports and aborts are faults.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/Fatal.h"
#include "dialogue/Font.h"
#include "fuzz/FuzzSupport.h"
#include "tools/data/ServerLoad.h"
#include "gfx/Display.h"

using namespace ocre;

namespace {

constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;

// Every byte value but the terminating zero, in order.
std::string allCharacters() {
    std::string text;
    for (int c = 1; c < 256; ++c) text.push_back(static_cast<char>(c));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    toolDisplay();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string text = allCharacters();
    const std::string path = fuzz::writeScratchFile("input.spr", data, size);
    std::unique_ptr<Font> font;
    if (refusalOf([&] { font = std::make_unique<Font>(path.c_str()); })) return 0;
    toolDisplay().drawText(0, 0, text.c_str(), *font, kScreenWidth, 0, kScreenWidth, kScreenHeight);
    return 0;
}
