#include "app/MainLoop.h"

#include "app/FrameTimer.h"
#include "app/StopSignal.h"

namespace ocre {

uint32_t runMainLoop(FrameTimer& timer, TurnSteps& steps) {
    uint32_t turns = 0;
    do {
        timer.mark();
        steps.scenePass();
        steps.serveRequests();
        ++turns;
        timer.waitSinceMark(kTurnMilliseconds);
    } while (!steps.escapeHeld() && !stopRequested());
    return turns;
}

}  // namespace ocre
