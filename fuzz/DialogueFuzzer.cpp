// Dialogue tree files, loaded by the DialogueBox construction the server's
// start-up runs for "mairpawn.dlg" (with sound portraits from the scratch
// folder); a tree that loads is then talked through as the dialogue actor
// does: opened, the choice the mouse rule picks highlighted and validated,
// until it finishes or for a bounded number of clicks. The box is drawn
// with a small sound font when the conversation opens and where it stops:
// every click in between draws the same rows again. Trees that would have
// more nodes than a hand-written conversation are left out while fuzzing
// (see InputCost.h). The bytes reach the loader through a file of the
// process's scratch folder. The load runs inside refusalOf: a fatal refusal
// unwinds back here as a value (file and memory released), an ordinary
// outcome; only sanitizer reports and aborts are faults.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/Fatal.h"
#include "dialogue/DialogueBox.h"
#include "dialogue/Font.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/InputCost.h"
#include "tools/data/ServerLoad.h"
#include "gfx/Display.h"

using namespace ocre;

namespace {

constexpr int kMostClicks = 64;
// More nodes than a hand-written conversation has.
constexpr uint64_t kMostNodes = 64;
constexpr uint16_t kGlyphs = 256;
constexpr int32_t kViewWidth = 640;
constexpr int32_t kViewHeight = 480;

std::string portraitPath;
std::unique_ptr<Font> font;

void draw(const DialogueBox& box) { box.draw(0, 0, kViewWidth, kViewHeight, toolDisplay(), *font); }

void talkThrough(DialogueBox& box) {
    box.reset();
    draw(box);
    for (int click = 0; click < kMostClicks && !box.finished(); ++click) {
        int32_t choice = mouseChoice(box, *font);
        // Nothing the mouse rule would take: try the rows in turn, as a
        // player pressing on each of them would.
        if (choice < 0) choice = click;
        box.highlight(choice);
        box.validate();
    }
    draw(box);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::silenceStandardOutput();
    toolDisplay();
    portraitPath = fuzz::writeScratchFile("faces.spr", fuzz::smallSpriteFile(2, 12, 10));
    font = std::make_unique<Font>(fuzz::writeScratchFile("fonte.spr", fuzz::smallSpriteFile(kGlyphs, 3, 4)).c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (fuzz::leftOut(fuzz::dialogueDeclared(data, size).nodes, kMostNodes)) return 0;
    const std::string path = fuzz::writeScratchFile("input.dlg", data, size);
    std::unique_ptr<DialogueBox> box;
    if (refusalOf([&] { box = std::make_unique<DialogueBox>(path.c_str(), portraitPath.c_str()); })) return 0;
    talkThrough(*box);
    return 0;
}
