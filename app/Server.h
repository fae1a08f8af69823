#pragma once
// The server's entry function: start-up in its fixed order, the main loop,
// the statistics and the shutdown order. Returns the process exit status.

namespace ocre {

int runServer(int argc, char** argv);

}  // namespace ocre
