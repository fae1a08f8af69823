#pragma once
// SIGINT and SIGTERM end the main loop after the current turn, as Escape
// does. SDL 1.2 turns them into quit events that the server ignores, so the
// handlers are installed after SDL is initialised, replacing SDL's.

namespace ocre {

void installStopSignalHandlers();
bool stopRequested();
void resetStopRequestForTesting();

}  // namespace ocre
