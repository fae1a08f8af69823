#include <cstdio>
#include <cstdlib>

#include "app/Server.h"

namespace {
constexpr const char* kHeadlessNotice = "ocre-server: pas d'affichage (DISPLAY absent), pilote video SDL \"dummy\"\n";

// With no display SDL 1.2 falls back to a text-mode driver that paints the
// terminal; a server started from a plain shell runs headless instead.
void chooseHeadlessVideoWhenNoDisplay() {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("SDL_VIDEODRIVER") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::fputs(kHeadlessNotice, stderr);
    }
}
}  // namespace

int main(int argc, char** argv) {
    chooseHeadlessVideoWhenNoDisplay();
    return ocre::runServer(argc, argv);
}
