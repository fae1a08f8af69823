#pragma once
// The client's two ways to run, once the window is open and the data set
// loaded: live against a server, or replaying a record file. Each returns
// the process's exit status and fills in what the run achieved.

#include <cstdint>
#include <string>
#include <vector>

#include "client/ClientOptions.h"
#include "client/PassReader.h"
#include "client/Picture.h"
#include "client/Recording.h"

namespace ocre::client {

struct RunSummary {
    uint64_t passesDrawn = 0;
    uint64_t ignored = 0;
    double seconds = 0;
};

int runLive(const ClientOptions& options, PassReader& reader, Picture& picture, RunSummary& summary);
int runReplay(const ClientOptions& options, const std::vector<RecordedDatagram>& datagrams, PassReader& reader,
              Picture& picture, RunSummary& summary);

}  // namespace ocre::client
