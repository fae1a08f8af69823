#pragma once
// The paced turn loop: mark, scene pass, connection requests, count, wait
// out 25 ms, then stop if Escape (or a stop signal) was seen.

#include <cstdint>

#include "protocol/ProtocolTexts.h"

namespace ocre {

class FrameTimer;

constexpr uint32_t kTurnMilliseconds = protocol::kTurnMilliseconds;

// What one turn runs; the server wires the scene, the client table and K1.
class TurnSteps {
public:
    virtual ~TurnSteps() = default;
    virtual void scenePass() = 0;
    virtual void serveRequests() = 0;
    virtual bool escapeHeld() = 0;
};

// Runs at least one turn; returns the number of turns run, the last one
// included.
uint32_t runMainLoop(FrameTimer& timer, TurnSteps& steps);

}  // namespace ocre
